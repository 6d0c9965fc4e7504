<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>BannerIndicatorWidget</name>
    <message>
        <source>BannerIndicatorWidget</source>
        <translation>Banner indicator</translation>
    </message>
</context>
<context>
    <name>DeleteFrame</name>
    <message>
        <source>DeleteFrame</source>
        <translation>Delete area</translation>
    </message>
    <message>
        <source>delete</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>DownloadToolsWidget</name>
    <message>
        <source>DownloadToolsWidget</source>
        <translation>Installed tools</translation>
    </message>
    <message>
        <source>No Tool</source>
        <translation>No tools yet</translation>
    </message>
</context>
<context>
    <name>DownloadedSubToolWidget</name>
    <message>
        <source>DownloadedSubToolWidget</source>
        <translation>Installed tool</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Icon</translation>
    </message>
    <message>
        <source>version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>open</source>
        <translation>Open</translation>
    </message>
</context>
<context>
    <name>FramelessWidget</name>
    <message>
        <source>FramelessWidget</source>
        <translation>Gear Bay</translation>
    </message>
</context>
<context>
    <name>GearbayWidget</name>
    <message>
        <source>GearbayWidget</source>
        <translation>Gear Bay</translation>
    </message>
</context>
<context>
    <name>HelpWidget</name>
    <message>
        <source>HelpWidget</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>user manual(F1)</source>
        <translation>User manual (F1)</translation>
    </message>
    <message>
        <source>License</source>
        <translation>Licenses</translation>
    </message>
</context>
<context>
    <name>MoreInfoLeftWidget</name>
    <message>
        <source>MoreInfoLeftWidget</source>
        <translation>Tool actions</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Released:</translation>
    </message>
    <message>
        <source>size:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>version:</source>
        <translation>Version:</translation>
    </message>
</context>
<context>
    <name>MoreInfoRightBottomWidget</name>
    <message>
        <source>MoreInfoRightBottomWidget</source>
        <translation>Screenshots</translation>
    </message>
</context>
<context>
    <name>MoreInfoRightTopWidget</name>
    <message>
        <source>MoreInfoRightTopWidget</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>...more</source>
        <translation>More...</translation>
    </message>
    <message>
        <source>Update info</source>
        <translation>What&apos;s new</translation>
    </message>
</context>
<context>
    <name>SubToolWidget</name>
    <message>
        <source>SubToolWidget</source>
        <translation>Tool card</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
</context>
<context>
    <name>SystemConfigWidget</name>
    <message>
        <source>SystemConfigWidget</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Path:</source>
        <translation>Path:</translation>
    </message>
    <message>
        <source>ChangePath</source>
        <translation>Change path</translation>
    </message>
    <message>
        <source>click close button quit open software</source>
        <translation>Close my open tools when I close the window</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>VersionInfo:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>CheckUpdate</source>
        <translation>Check for updates</translation>
    </message>
    <message>
        <source>License</source>
        <translation>Licenses</translation>
    </message>
    <message>
        <source>see about</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Language:</translation>
    </message>
</context>
<context>
    <name>TipDialog</name>
    <message>
        <source>TipDialog</source>
        <translation>Notice</translation>
    </message>
</context>
<context>
    <name>TipFrame</name>
    <message>
        <source>TipFrame</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>Drag to sort or delete</source>
        <translation>Drag to reorder or delete</translation>
    </message>
</context>
<context>
    <name>ToolBoxTabWidget</name>
    <message>
        <source>ToolBoxTabWidget</source>
        <translation>My Tools</translation>
    </message>
</context>
<context>
    <name>ToolBoxWidget</name>
    <message>
        <source>ToolBoxWidget</source>
        <translation>My Tools</translation>
    </message>
</context>
<context>
    <name>ToolDownloadWidget</name>
    <message>
        <source>ToolDownloadWidget</source>
        <translation>Tool Market</translation>
    </message>
</context>
<context>
    <name>ToolIntroPictureWidget</name>
    <message>
        <source>ToolIntroPictureWidget</source>
        <translation>Banner</translation>
    </message>
</context>
<context>
    <name>ToolMoreInfoWidget</name>
    <message>
        <source>ToolMoreInfoWidget</source>
        <translation>Tool details</translation>
    </message>
</context>
<context>
    <name>ToolsWiget</name>
    <message>
        <source>ToolsWiget</source>
        <translation>Tool list</translation>
    </message>
</context>
<context>
    <name>ToosListWidget</name>
    <message>
        <source>ToosListWidget</source>
        <translation>Tool list</translation>
    </message>
</context>
<context>
    <name>UpdateToolsWidget</name>
    <message>
        <source>UpdateToolsWidget</source>
        <translation>Updates</translation>
    </message>
    <message>
        <source>No Tool</source>
        <translation>No tools yet</translation>
    </message>
    <message>
        <source>check all</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>BatchUpdate</source>
        <translation>Update selected</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>UpdateVersionDialog</name>
    <message>
        <source>UpdateVersionDialog</source>
        <translation>Updating</translation>
    </message>
    <message>
        <source>Version updating</source>
        <translation>Installing the new version</translation>
    </message>
</context>
<context>
    <name>UserPermissionWidget</name>
    <message>
        <source>UserPermissionWidget</source>
        <translation>Sign in</translation>
    </message>
    <message>
        <source>UserName</source>
        <translation>User name</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
</context>
<context>
    <name>WindowTitleWidget</name>
    <message>
        <source>WindowTitleWidget</source>
        <translation>Title bar</translation>
    </message>
    <message>
        <source>Gear Bay</source>
        <translation>Gear Bay</translation>
    </message>
    <message>
        <source>Tools Down</source>
        <translation>Tool Market</translation>
    </message>
    <message>
        <source>My Tools</source>
        <translation>My Tools</translation>
    </message>
</context>
<context>
    <name>gearbay::BannerIndicatorWidget</name>
    <message>
        <source>Banner preview of %1</source>
        <translation>Banner preview of %1</translation>
    </message>
</context>
<context>
    <name>gearbay::BubleShapeFrame</name>
    <message>
        <source>No screenshots for this tool</source>
        <translation>No screenshots for this tool</translation>
    </message>
    <message>
        <source>Screenshot not available</source>
        <translation>Screenshot not available</translation>
    </message>
</context>
<context>
    <name>gearbay::DownloadPreCheck</name>
    <message>
        <source>This tool needs a directory login, but no directory server is configured. Ask your administrator to set DirectoryServer and DirectoryUserDn in %1.</source>
        <translation>This tool needs a directory login, but no directory server is configured. Ask your administrator to set DirectoryServer and DirectoryUserDn in %1.</translation>
    </message>
</context>
<context>
    <name>gearbay::DownloadedSubToolWidget</name>
    <message>
        <source>The download could not be verified and was not installed.</source>
        <translation>The download could not be verified and was not installed.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>Version: V</source>
        <translation>Version: V</translation>
    </message>
    <message>
        <source>Release date: </source>
        <translation>Released: </translation>
    </message>
    <message>
        <source>download fail</source>
        <translation>Download failed</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>Waiting...</translation>
    </message>
    <message>
        <source>Software already opened.</source>
        <translation>This tool is already open.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Please set downlaod path at system setting page.</source>
        <translation>Please choose a download path in the settings.</translation>
    </message>
    <message>
        <source>Disk free space little than tool Size, please modify download Path.</source>
        <translation>There is not enough free disk space for this tool. Please choose another download path.</translation>
    </message>
    <message>
        <source>connect to network failed.</source>
        <translation>Could not connect to the network.</translation>
    </message>
    <message>
        <source>connect to network timeout.</source>
        <translation>The network connection timed out.</translation>
    </message>
    <message>
        <source>network initial failed.</source>
        <translation>The network could not be set up.</translation>
    </message>
    <message>
        <source>save failed.</source>
        <translation>The download could not be saved.</translation>
    </message>
    <message>
        <source>File not found.</source>
        <translation>The file was not found.</translation>
    </message>
    <message>
        <source>network anomaly</source>
        <translation>Network error</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>Open %1</translation>
    </message>
    <message>
        <source>Update %1</source>
        <translation>Update %1</translation>
    </message>
    <message>
        <source>Cancel the update of %1</source>
        <translation>Cancel the update of %1</translation>
    </message>
    <message>
        <source>Retry the update of %1</source>
        <translation>Retry the update of %1</translation>
    </message>
    <message>
        <source>Select %1</source>
        <translation>Select %1</translation>
    </message>
</context>
<context>
    <name>gearbay::Gearbay</name>
    <message>
        <source>The download could not be verified and was not installed.</source>
        <translation>The download could not be verified and was not installed.</translation>
    </message>
    <message>
        <source>Connect to server fail</source>
        <translation>Could not connect to the server</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>connect to server fail</source>
        <translation>Could not connect to the download server.</translation>
    </message>
    <message>
        <source>start server fail</source>
        <translation>Could not start the download server.</translation>
    </message>
    <message>
        <source>Are you sure close the software?</source>
        <translation>Are you sure you want to quit?</translation>
    </message>
    <message>
        <source>Upgrade completed, restart software?</source>
        <translation>The update is installed. Restart now?</translation>
    </message>
    <message>
        <source>Restart Now</source>
        <translation>Restart Now</translation>
    </message>
    <message>
        <source>Restart Later</source>
        <translation>Restart Later</translation>
    </message>
    <message>
        <source>Upgrade fail, try again?</source>
        <translation>The update failed. Try again?</translation>
    </message>
    <message>
        <source>Again</source>
        <translation>Try Again</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Not Now</translation>
    </message>
    <message>
        <source>material have new version, please restart software.</source>
        <translation>A new catalog is available. Please restart the program to see it.</translation>
    </message>
    <message>
        <source>The new language shows after a restart. Restart now?</source>
        <translation>The new language shows after a restart. Restart now?</translation>
    </message>
</context>
<context>
    <name>gearbay::GearbayApplication</name>
    <message>
        <source>Client is already running.</source>
        <translation>Gear Bay is already running.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>gearbay::HelpWidget</name>
    <message>
        <source>user manual(F1)</source>
        <translation>User manual (F1)</translation>
    </message>
    <message>
        <source>License</source>
        <translation>Licenses</translation>
    </message>
    <message>
        <source>/help.pdf</source>
        <translation>/help.pdf</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>No user manual found.</source>
        <translation>The user manual was not found.</translation>
    </message>
    <message>
        <source>Open User&apos;s Manual fail.</source>
        <translation>Could not open the user manual.</translation>
    </message>
    <message>
        <source>Open Open Source Software Licenses file directory failed.</source>
        <translation>Could not open the folder of open source licenses.</translation>
    </message>
    <message>
        <source>No program opened it. The manual is here: %1</source>
        <translation>No program opened it. The manual is here: %1</translation>
    </message>
    <message>
        <source>The licence texts are in: %1</source>
        <translation>The licence texts are in: %1</translation>
    </message>
</context>
<context>
    <name>gearbay::MoreInfoLeftWidget</name>
    <message>
        <source>The download could not be verified and was not installed.</source>
        <translation>The download could not be verified and was not installed.</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Please set downlaod path at system setting page.</source>
        <translation>Please choose a download path in the settings.</translation>
    </message>
    <message>
        <source>Disk free space little than tool Size, please modify download Path.</source>
        <translation>There is not enough free disk space for this tool. Please choose another download path.</translation>
    </message>
    <message>
        <source>have already open.</source>
        <translation>is already open.</translation>
    </message>
    <message>
        <source>have already open, please close at first.</source>
        <translation>is already open. Please close it first.</translation>
    </message>
    <message>
        <source>connect to network failed.</source>
        <translation>Could not connect to the network.</translation>
    </message>
    <message>
        <source>connect to network timeout.</source>
        <translation>The network connection timed out.</translation>
    </message>
    <message>
        <source>network initial failed.</source>
        <translation>The network could not be set up.</translation>
    </message>
    <message>
        <source>save failed.</source>
        <translation>The download could not be saved.</translation>
    </message>
    <message>
        <source>File not found.</source>
        <translation>The file was not found.</translation>
    </message>
    <message>
        <source>network anomaly</source>
        <translation>Network error</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>Waiting...</translation>
    </message>
    <message>
        <source>download fail</source>
        <translation>Download failed</translation>
    </message>
</context>
<context>
    <name>gearbay::MoreInfoRightTopWidget</name>
    <message>
        <source>Update info</source>
        <translation>What&apos;s new</translation>
    </message>
    <message>
        <source>...more</source>
        <translation>More...</translation>
    </message>
    <message>
        <source>return</source>
        <translation>Less</translation>
    </message>
</context>
<context>
    <name>gearbay::ProgressBar</name>
    <message>
        <source>Download Fail!</source>
        <translation>Download failed</translation>
    </message>
</context>
<context>
    <name>gearbay::SubToolWidget</name>
    <message>
        <source>The download could not be verified and was not installed.</source>
        <translation>The download could not be verified and was not installed.</translation>
    </message>
    <message>
        <source>connect to network failed.</source>
        <translation>Could not connect to the network.</translation>
    </message>
    <message>
        <source>connect to network timeout.</source>
        <translation>The network connection timed out.</translation>
    </message>
    <message>
        <source>network initial failed.</source>
        <translation>The network could not be set up.</translation>
    </message>
    <message>
        <source>save failed.</source>
        <translation>The download could not be saved.</translation>
    </message>
    <message>
        <source>file not found.</source>
        <translation>The file was not found.</translation>
    </message>
    <message>
        <source>network abnomaly</source>
        <translation>Network error</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Needs a directory login</source>
        <translation>Directory sign-in required</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>Waiting...</translation>
    </message>
    <message>
        <source>download fail</source>
        <translation>Download failed</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Please set downlaod path at system setting page.</source>
        <translation>Please choose a download path in the settings.</translation>
    </message>
    <message>
        <source>Disk free space little than tool Size, please modify download Path.</source>
        <translation>There is not enough free disk space for this tool. Please choose another download path.</translation>
    </message>
    <message>
        <source>Software already opened.</source>
        <translation>This tool is already open.</translation>
    </message>
    <message>
        <source>The tool&apos;s files were not found; it will be downloaded again.</source>
        <translation>The tool&apos;s files were not found; it will be downloaded again.</translation>
    </message>
    <message>
        <source>The tool could not be started.</source>
        <translation>The tool could not be started.</translation>
    </message>
    <message>
        <source>Details of %1</source>
        <translation>Details of %1</translation>
    </message>
    <message>
        <source>Download %1</source>
        <translation>Download %1</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>Open %1</translation>
    </message>
    <message>
        <source>Cancel the download of %1</source>
        <translation>Cancel the download of %1</translation>
    </message>
    <message>
        <source>Retry the download of %1</source>
        <translation>Retry the download of %1</translation>
    </message>
    <message>
        <source>Download progress of %1</source>
        <translation>Download progress of %1</translation>
    </message>
</context>
<context>
    <name>gearbay::SystemConfigWidget</name>
    <message>
        <source>Change path Please close open tools and all had download tools will move to new path.</source>
        <translation>Close your open tools before changing the path; all installed tools move to the new path.</translation>
    </message>
    <message>
        <source>DownloadPath</source>
        <translation>Download path</translation>
    </message>
    <message>
        <source>check new version!</source>
        <translation>A new version is available!</translation>
    </message>
    <message>
        <source>checking...</source>
        <translation>Checking...</translation>
    </message>
    <message>
        <source>Cannot change path while downloading.</source>
        <translation>The path cannot be changed while downloads are running.</translation>
    </message>
    <message>
        <source>Please close open tools.</source>
        <translation>Please close your open tools first.</translation>
    </message>
    <message>
        <source>Disk free space less than 2G.</source>
        <translation>The disk has less than 2 GB free.</translation>
    </message>
    <message>
        <source>The new path cannot be the current path or lie inside its tools.</source>
        <translation>The new path cannot be the current path or lie inside its tools.</translation>
    </message>
    <message>
        <source>Download path save fail.</source>
        <translation>Could not save the download path.</translation>
    </message>
    <message>
        <source>save fail.</source>
        <translation>Could not save the setting.</translation>
    </message>
    <message>
        <source>Open Open Source Software Licenses file directory failed.</source>
        <translation>Could not open the folder of open source licenses.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>check failed</source>
        <translation>The check failed</translation>
    </message>
    <message>
        <source>There are no new version</source>
        <translation>You have the latest version.</translation>
    </message>
    <message>
        <source>server no material files.</source>
        <translation>The server has no catalog files.</translation>
    </message>
    <message>
        <source>Cannot update Rig Warden while downloading.</source>
        <translation>Gear Bay cannot be updated while downloads are running.</translation>
    </message>
    <message>
        <source>Version have updated, please restart software</source>
        <translation>The new version is installed. Please restart the program.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be written.</source>
        <translation>The settings file %1 cannot be written.</translation>
    </message>
    <message>
        <source>The licence texts are in: %1</source>
        <translation>The licence texts are in: %1</translation>
    </message>
</context>
<context>
    <name>gearbay::ToolBoxTabWidget</name>
    <message>
        <source>All Tools</source>
        <translation>All Tools</translation>
    </message>
    <message>
        <source>Updateable Tools</source>
        <translation>Updatable Tools</translation>
    </message>
    <message>
        <source>Update Tools</source>
        <translation>Updates</translation>
    </message>
</context>
<context>
    <name>gearbay::ToolDownloadWidget</name>
    <message>
        <source>Fold or unfold the banner</source>
        <translation>Collapse or expand the banner</translation>
    </message>
</context>
<context>
    <name>gearbay::ToolDownloadedScene</name>
    <message>
        <source>Software already opened.</source>
        <translation>This tool is already open.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>The folder of %1 is not inside the tools folder, so nothing was deleted.</source>
        <translation>The folder of %1 is not inside the tools folder, so nothing was deleted.</translation>
    </message>
    <message>
        <source>Some files of %1 could not be deleted. Please check the permissions of its folder.</source>
        <translation>Some files of %1 could not be deleted. Please check the permissions of its folder.</translation>
    </message>
    <message>
        <source>Remove %1 and delete its files?</source>
        <translation>Remove %1 and delete its files?</translation>
    </message>
</context>
<context>
    <name>gearbay::ToolIntroPictureWidget</name>
    <message>
        <source>Next picture</source>
        <translation>Next picture</translation>
    </message>
    <message>
        <source>Banner</source>
        <translation>Banner</translation>
    </message>
    <message>
        <source>Banner: %1</source>
        <translation>Banner: %1</translation>
    </message>
</context>
<context>
    <name>gearbay::ToolMoreInfoWidget</name>
    <message>
        <source>Home Page</source>
        <translation>Home</translation>
    </message>
</context>
<context>
    <name>gearbay::ToolTypeWidget</name>
    <message>
        <source>All Tool</source>
        <translation>All Tools</translation>
    </message>
    <message>
        <source>Search tools (Ctrl+F)</source>
        <translation>Search tools (Ctrl+F)</translation>
    </message>
    <message>
        <source>Search names and introductions; Esc clears</source>
        <translation>Search names and introductions; Esc clears</translation>
    </message>
</context>
<context>
    <name>gearbay::ToosListWidget</name>
    <message>
        <source>No tools in the catalog yet.</source>
        <translation>No tools in the catalog yet.</translation>
    </message>
    <message>
        <source>No tool matches &quot;%1&quot;.</source>
        <translation>No tool matches &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>gearbay::UserPermissionWidget</name>
    <message>
        <source>Get authority</source>
        <translation>Sign in</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Please input user name</source>
        <translation>User name</translation>
    </message>
    <message>
        <source>Please input password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>user name  or password cannot empty.</source>
        <translation>Please enter your user name and password.</translation>
    </message>
    <message>
        <source>No directory server is configured.</source>
        <translation>No directory server is configured.</translation>
    </message>
    <message>
        <source>user name  or password error.</source>
        <translation>Wrong user name or password.</translation>
    </message>
    <message>
        <source>The directory server cannot be reached. Please try again later.</source>
        <translation>The directory server cannot be reached. Please try again later.</translation>
    </message>
    <message>
        <source>The directory server&apos;s certificate cannot be trusted.</source>
        <translation>The directory server&apos;s certificate cannot be trusted.</translation>
    </message>
    <message>
        <source>The directory server refused the login.</source>
        <translation>The directory server refused the sign-in.</translation>
    </message>
    <message>
        <source>Checking the account...</source>
        <translation>Checking your account...</translation>
    </message>
</context>
<context>
    <name>gearbay::WindowTitleWidget</name>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximize</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>vellum::BaseDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>vellum::PasswordLineEdit</name>
    <message>
        <source>Show password</source>
        <translation>Show password</translation>
    </message>
</context>
</TS>
