<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>BannerIndicatorWidget</name>
    <message>
        <source>BannerIndicatorWidget</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DeleteFrame</name>
    <message>
        <source>DeleteFrame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DownloadToolsWidget</name>
    <message>
        <source>DownloadToolsWidget</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Tool</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DownloadedSubToolWidget</name>
    <message>
        <source>DownloadedSubToolWidget</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FramelessWidget</name>
    <message>
        <source>FramelessWidget</source>
        <translation>FramelessWidget</translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>user manual(F1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>License</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MoreInfoLeftWidget</name>
    <message>
        <source>MoreInfoLeftWidget</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>version:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MoreInfoRightBottomWidget</name>
    <message>
        <source>MoreInfoRightBottomWidget</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MoreInfoRightTopWidget</name>
    <message>
        <source>MoreInfoRightTopWidget</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>...more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update info</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SubToolWidget</name>
    <message>
        <source>SubToolWidget</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SystemConfigWidget</name>
    <message>
        <source>SystemConfigWidget</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Path:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ChangePath</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>click close button quit open software</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VersionInfo:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CheckUpdate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>License</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>see about</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TipDialog</name>
    <message>
        <source>TipDialog</source>
        <translation>TipDialog</translation>
    </message>
</context>
<context>
    <name>TipFrame</name>
    <message>
        <source>TipFrame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag to sort or delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToolBoxTabWidget</name>
    <message>
        <source>ToolBoxTabWidget</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToolBoxWidget</name>
    <message>
        <source>ToolBoxWidget</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToolDownloadWidget</name>
    <message>
        <source>ToolDownloadWidget</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToolIntroPictureWidget</name>
    <message>
        <source>ToolIntroPictureWidget</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToolMoreInfoWidget</name>
    <message>
        <source>ToolMoreInfoWidget</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToolsWiget</name>
    <message>
        <source>ToolsWiget</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToosListWidget</name>
    <message>
        <source>ToosListWidget</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UpdateToolsWidget</name>
    <message>
        <source>UpdateToolsWidget</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Tool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>check all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BatchUpdate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Cancel</translation>
    </message>
</context>
<context>
    <name>UpdateVersionDialog</name>
    <message>
        <source>UpdateVersionDialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version updating</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserPermissionWidget</name>
    <message>
        <source>UserPermissionWidget</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UserName</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WindowTitleWidget</name>
    <message>
        <source>WindowTitleWidget</source>
        <translation>WindowTitleWidget</translation>
    </message>
    <message>
        <source>Gear Bay</source>
        <translation>Gear Bay</translation>
    </message>
    <message>
        <source>Tools Down</source>
        <translation>Tools Down</translation>
    </message>
    <message>
        <source>My Tools</source>
        <translation>My Tools</translation>
    </message>
</context>
<context>
    <name>gearbay::BubleShapeFrame</name>
    <message>
        <source>No screenshots for this tool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Screenshot not available</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearbay::DownloadedSubToolWidget</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Cancel</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version: V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release date: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>download fail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Software already opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished">OK</translation>
    </message>
    <message>
        <source>Please set downlaod path at system setting page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disk free space little than tool Size, please modify download Path.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>connect to network failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>connect to network timeout.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>network initial failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>network anomaly</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearbay::Gearbay</name>
    <message>
        <source>Connect to server fail</source>
        <translation>Connect to server fail</translation>
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
        <translation>connect to server fail</translation>
    </message>
    <message>
        <source>start server fail</source>
        <translation>start server fail</translation>
    </message>
    <message>
        <source>Are you sure close the software?</source>
        <translation>Are you sure close the software?</translation>
    </message>
    <message>
        <source>Upgrade completed, restart software?</source>
        <translation>Upgrade completed, restart software?</translation>
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
        <translation>Upgrade fail, try again?</translation>
    </message>
    <message>
        <source>Again</source>
        <translation>Again</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>material have new version, please restart software.</source>
        <translation>material have new version, please restart software.</translation>
    </message>
</context>
<context>
    <name>gearbay::GearbayApplication</name>
    <message>
        <source>Client is already running.</source>
        <translation>Client is already running.</translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>License</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>/help.pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished">OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Cancel</translation>
    </message>
    <message>
        <source>No user manual found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open User&apos;s Manual fail.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Open Source Software Licenses file directory failed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearbay::MoreInfoLeftWidget</name>
    <message>
        <source>Retry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished">OK</translation>
    </message>
    <message>
        <source>Please set downlaod path at system setting page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disk free space little than tool Size, please modify download Path.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>have already open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>have already open, please close at first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>connect to network failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>connect to network timeout.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>network initial failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>network anomaly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>download fail</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearbay::MoreInfoRightTopWidget</name>
    <message>
        <source>Update info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>...more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>return</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearbay::ProgressBar</name>
    <message>
        <source>Download Fail!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearbay::SubToolWidget</name>
    <message>
        <source>connect to network failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>connect to network timeout.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>network initial failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>file not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>network abnomaly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Cancel</translation>
    </message>
    <message>
        <source>Needs a directory login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>download fail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished">OK</translation>
    </message>
    <message>
        <source>Please set downlaod path at system setting page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disk free space little than tool Size, please modify download Path.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Software already opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tool&apos;s files were not found; it will be downloaded again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tool could not be started.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearbay::SystemConfigWidget</name>
    <message>
        <source>Change path Please close open tools and all had download tools will move to new path.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DownloadPath</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>check new version!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>checking...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot change path while downloading.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please close open tools.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disk free space less than 2G.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The new path cannot be the current path or lie inside its tools.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download path save fail.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save fail.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Open Source Software Licenses file directory failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished">OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Cancel</translation>
    </message>
    <message>
        <source>check failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no new version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>server no material files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot update Rig Warden while downloading.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version have updated, please restart software</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearbay::ToolBoxTabWidget</name>
    <message>
        <source>All Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updateable Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update Tools</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearbay::ToolDownloadWidget</name>
    <message>
        <source>Fold or unfold the banner</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearbay::ToolDownloadedScene</name>
    <message>
        <source>Software already opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished">OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Cancel</translation>
    </message>
    <message>
        <source>The folder of %1 is not inside the tools folder, so nothing was deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some files of %1 could not be deleted. Please check the permissions of its folder.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearbay::ToolIntroPictureWidget</name>
    <message>
        <source>Next picture</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearbay::ToolMoreInfoWidget</name>
    <message>
        <source>Home Page</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearbay::ToolTypeWidget</name>
    <message>
        <source>All Tool</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished">OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Cancel</translation>
    </message>
    <message>
        <source>Please input user name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please input password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>user name  or password cannot empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No directory server is configured.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>user name  or password error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The directory server cannot be reached. Please try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The directory server&apos;s certificate cannot be trusted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The directory server refused the login.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking the account...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vellum::BaseDialog</name>
    <message>
        <source>OK</source>
        <translation type="unfinished">OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Cancel</translation>
    </message>
</context>
<context>
    <name>vellum::PasswordLineEdit</name>
    <message>
        <source>Show password</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
