<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>BannerIndicatorWidget</name>
    <message>
        <source>BannerIndicatorWidget</source>
        <translation>横幅指示器</translation>
    </message>
</context>
<context>
    <name>DeleteFrame</name>
    <message>
        <source>DeleteFrame</source>
        <translation>删除区域</translation>
    </message>
    <message>
        <source>delete</source>
        <translation>删除</translation>
    </message>
</context>
<context>
    <name>DownloadToolsWidget</name>
    <message>
        <source>DownloadToolsWidget</source>
        <translation>已安装工具</translation>
    </message>
    <message>
        <source>No Tool</source>
        <translation>暂无工具</translation>
    </message>
</context>
<context>
    <name>DownloadedSubToolWidget</name>
    <message>
        <source>DownloadedSubToolWidget</source>
        <translation>已安装工具</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>图标</translation>
    </message>
    <message>
        <source>version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>升级</translation>
    </message>
    <message>
        <source>open</source>
        <translation>打开</translation>
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
        <translation>帮助</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>user manual(F1)</source>
        <translation>用户手册(F1)</translation>
    </message>
    <message>
        <source>License</source>
        <translation>许可证</translation>
    </message>
</context>
<context>
    <name>MoreInfoLeftWidget</name>
    <message>
        <source>MoreInfoLeftWidget</source>
        <translation>详情操作面板</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>时间：</translation>
    </message>
    <message>
        <source>size:</source>
        <translation>大小：</translation>
    </message>
    <message>
        <source>version:</source>
        <translation>版本：</translation>
    </message>
</context>
<context>
    <name>MoreInfoRightBottomWidget</name>
    <message>
        <source>MoreInfoRightBottomWidget</source>
        <translation>工具截图</translation>
    </message>
</context>
<context>
    <name>MoreInfoRightTopWidget</name>
    <message>
        <source>MoreInfoRightTopWidget</source>
        <translation>工具介绍</translation>
    </message>
    <message>
        <source>...more</source>
        <translation>...更多</translation>
    </message>
    <message>
        <source>Update info</source>
        <translation>更新信息</translation>
    </message>
</context>
<context>
    <name>SubToolWidget</name>
    <message>
        <source>SubToolWidget</source>
        <translation>工具卡片</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
</context>
<context>
    <name>SystemConfigWidget</name>
    <message>
        <source>SystemConfigWidget</source>
        <translation>系统设置</translation>
    </message>
    <message>
        <source>System</source>
        <translation>系统</translation>
    </message>
    <message>
        <source>Path:</source>
        <translation>路径：</translation>
    </message>
    <message>
        <source>ChangePath</source>
        <translation>更改路径</translation>
    </message>
    <message>
        <source>click close button quit open software</source>
        <translation>点击关闭按钮时退出已打开的软件</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>VersionInfo:</source>
        <translation>版本信息：</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>CheckUpdate</source>
        <translation>检查更新</translation>
    </message>
    <message>
        <source>License</source>
        <translation>许可证</translation>
    </message>
    <message>
        <source>see about</source>
        <translation>查看</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>语言：</translation>
    </message>
</context>
<context>
    <name>TipDialog</name>
    <message>
        <source>TipDialog</source>
        <translation>提示</translation>
    </message>
</context>
<context>
    <name>TipFrame</name>
    <message>
        <source>TipFrame</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Drag to sort or delete</source>
        <translation>拖动以排序或删除</translation>
    </message>
</context>
<context>
    <name>ToolBoxTabWidget</name>
    <message>
        <source>ToolBoxTabWidget</source>
        <translation>我的工具</translation>
    </message>
</context>
<context>
    <name>ToolBoxWidget</name>
    <message>
        <source>ToolBoxWidget</source>
        <translation>我的工具</translation>
    </message>
</context>
<context>
    <name>ToolDownloadWidget</name>
    <message>
        <source>ToolDownloadWidget</source>
        <translation>工具下载</translation>
    </message>
</context>
<context>
    <name>ToolIntroPictureWidget</name>
    <message>
        <source>ToolIntroPictureWidget</source>
        <translation>横幅</translation>
    </message>
</context>
<context>
    <name>ToolMoreInfoWidget</name>
    <message>
        <source>ToolMoreInfoWidget</source>
        <translation>工具详情</translation>
    </message>
</context>
<context>
    <name>ToolsWiget</name>
    <message>
        <source>ToolsWiget</source>
        <translation>工具列表</translation>
    </message>
</context>
<context>
    <name>ToosListWidget</name>
    <message>
        <source>ToosListWidget</source>
        <translation>工具列表</translation>
    </message>
</context>
<context>
    <name>UpdateToolsWidget</name>
    <message>
        <source>UpdateToolsWidget</source>
        <translation>可更新工具</translation>
    </message>
    <message>
        <source>No Tool</source>
        <translation>暂无工具</translation>
    </message>
    <message>
        <source>check all</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>BatchUpdate</source>
        <translation>批量更新</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>UpdateVersionDialog</name>
    <message>
        <source>UpdateVersionDialog</source>
        <translation>版本更新</translation>
    </message>
    <message>
        <source>Version updating</source>
        <translation>正在更新版本</translation>
    </message>
</context>
<context>
    <name>UserPermissionWidget</name>
    <message>
        <source>UserPermissionWidget</source>
        <translation>获取权限</translation>
    </message>
    <message>
        <source>UserName</source>
        <translation>用户名</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
</context>
<context>
    <name>WindowTitleWidget</name>
    <message>
        <source>WindowTitleWidget</source>
        <translation>标题栏</translation>
    </message>
    <message>
        <source>Gear Bay</source>
        <translation>Gear Bay</translation>
    </message>
    <message>
        <source>Tools Down</source>
        <translation>工具下载</translation>
    </message>
    <message>
        <source>My Tools</source>
        <translation>我的工具</translation>
    </message>
</context>
<context>
    <name>gearbay::BannerIndicatorWidget</name>
    <message>
        <source>Banner preview of %1</source>
        <translation>%1 的横幅预览</translation>
    </message>
</context>
<context>
    <name>gearbay::BubleShapeFrame</name>
    <message>
        <source>No screenshots for this tool</source>
        <translation>此工具没有截图</translation>
    </message>
    <message>
        <source>Screenshot not available</source>
        <translation>截图不可用</translation>
    </message>
</context>
<context>
    <name>gearbay::DownloadPreCheck</name>
    <message>
        <source>This tool needs a directory login, but no directory server is configured. Ask your administrator to set DirectoryServer and DirectoryUserDn in %1.</source>
        <translation>此工具需要目录登录，但未配置目录服务器。请管理员在 %1 中设置 DirectoryServer 和 DirectoryUserDn。</translation>
    </message>
</context>
<context>
    <name>gearbay::DownloadedSubToolWidget</name>
    <message>
        <source>The download could not be verified and was not installed.</source>
        <translation>下载内容未能通过校验，未予安装。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>Version: V</source>
        <translation>版本：V</translation>
    </message>
    <message>
        <source>Release date: </source>
        <translation>发布日期：</translation>
    </message>
    <message>
        <source>download fail</source>
        <translation>下载失败</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>等待中...</translation>
    </message>
    <message>
        <source>Software already opened.</source>
        <translation>软件已打开。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Please set downlaod path at system setting page.</source>
        <translation>请在系统设置页面设置下载路径。</translation>
    </message>
    <message>
        <source>Disk free space little than tool Size, please modify download Path.</source>
        <translation>磁盘可用空间小于工具大小，请修改下载路径。</translation>
    </message>
    <message>
        <source>connect to network failed.</source>
        <translation>连接网络失败。</translation>
    </message>
    <message>
        <source>connect to network timeout.</source>
        <translation>连接网络超时。</translation>
    </message>
    <message>
        <source>network initial failed.</source>
        <translation>网络初始化失败。</translation>
    </message>
    <message>
        <source>save failed.</source>
        <translation>保存失败。</translation>
    </message>
    <message>
        <source>File not found.</source>
        <translation>文件未找到。</translation>
    </message>
    <message>
        <source>network anomaly</source>
        <translation>网络异常</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>打开 %1</translation>
    </message>
    <message>
        <source>Update %1</source>
        <translation>更新 %1</translation>
    </message>
    <message>
        <source>Cancel the update of %1</source>
        <translation>取消更新 %1</translation>
    </message>
    <message>
        <source>Retry the update of %1</source>
        <translation>重新更新 %1</translation>
    </message>
    <message>
        <source>Select %1</source>
        <translation>选择 %1</translation>
    </message>
</context>
<context>
    <name>gearbay::Gearbay</name>
    <message>
        <source>The download could not be verified and was not installed.</source>
        <translation>下载内容未能通过校验，未予安装。</translation>
    </message>
    <message>
        <source>Connect to server fail</source>
        <translation>连接服务器失败</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>connect to server fail</source>
        <translation>连接服务器失败</translation>
    </message>
    <message>
        <source>start server fail</source>
        <translation>启动服务器失败</translation>
    </message>
    <message>
        <source>Are you sure close the software?</source>
        <translation>确定要关闭软件吗？</translation>
    </message>
    <message>
        <source>Upgrade completed, restart software?</source>
        <translation>升级完成，是否重启软件？</translation>
    </message>
    <message>
        <source>Restart Now</source>
        <translation>立即重启</translation>
    </message>
    <message>
        <source>Restart Later</source>
        <translation>稍后重启</translation>
    </message>
    <message>
        <source>Upgrade fail, try again?</source>
        <translation>升级失败，是否重试？</translation>
    </message>
    <message>
        <source>Again</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下次</translation>
    </message>
    <message>
        <source>material have new version, please restart software.</source>
        <translation>素材有新版本，请重启软件。</translation>
    </message>
    <message>
        <source>The new language shows after a restart. Restart now?</source>
        <translation>新的语言将在重启后生效，是否立即重启？</translation>
    </message>
</context>
<context>
    <name>gearbay::GearbayApplication</name>
    <message>
        <source>Client is already running.</source>
        <translation>客户端已在运行。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>gearbay::HelpWidget</name>
    <message>
        <source>user manual(F1)</source>
        <translation>用户手册(F1)</translation>
    </message>
    <message>
        <source>License</source>
        <translation>许可证</translation>
    </message>
    <message>
        <source>/help.pdf</source>
        <translation>/help_zh.pdf</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>No user manual found.</source>
        <translation>未找到用户手册。</translation>
    </message>
    <message>
        <source>Open User&apos;s Manual fail.</source>
        <translation>打开用户手册失败。</translation>
    </message>
    <message>
        <source>Open Open Source Software Licenses file directory failed.</source>
        <translation>打开开源软件许可证文件夹失败。</translation>
    </message>
    <message>
        <source>No program opened it. The manual is here: %1</source>
        <translation>没有可以打开它的程序。手册位于：%1</translation>
    </message>
    <message>
        <source>The licence texts are in: %1</source>
        <translation>许可证文本位于：%1</translation>
    </message>
</context>
<context>
    <name>gearbay::MoreInfoLeftWidget</name>
    <message>
        <source>The download could not be verified and was not installed.</source>
        <translation>下载内容未能通过校验，未予安装。</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Please set downlaod path at system setting page.</source>
        <translation>请在系统设置页面设置下载路径。</translation>
    </message>
    <message>
        <source>Disk free space little than tool Size, please modify download Path.</source>
        <translation>磁盘可用空间小于工具大小，请修改下载路径。</translation>
    </message>
    <message>
        <source>have already open.</source>
        <translation>已经打开。</translation>
    </message>
    <message>
        <source>have already open, please close at first.</source>
        <translation>已经打开，请先关闭。</translation>
    </message>
    <message>
        <source>connect to network failed.</source>
        <translation>连接网络失败。</translation>
    </message>
    <message>
        <source>connect to network timeout.</source>
        <translation>连接网络超时。</translation>
    </message>
    <message>
        <source>network initial failed.</source>
        <translation>网络初始化失败。</translation>
    </message>
    <message>
        <source>save failed.</source>
        <translation>保存失败。</translation>
    </message>
    <message>
        <source>File not found.</source>
        <translation>文件未找到。</translation>
    </message>
    <message>
        <source>network anomaly</source>
        <translation>网络异常</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>等待中...</translation>
    </message>
    <message>
        <source>download fail</source>
        <translation>下载失败</translation>
    </message>
</context>
<context>
    <name>gearbay::MoreInfoRightTopWidget</name>
    <message>
        <source>Update info</source>
        <translation>更新信息</translation>
    </message>
    <message>
        <source>...more</source>
        <translation>...更多</translation>
    </message>
    <message>
        <source>return</source>
        <translation>收起</translation>
    </message>
</context>
<context>
    <name>gearbay::ProgressBar</name>
    <message>
        <source>Download Fail!</source>
        <translation>下载失败！</translation>
    </message>
</context>
<context>
    <name>gearbay::SubToolWidget</name>
    <message>
        <source>The download could not be verified and was not installed.</source>
        <translation>下载内容未能通过校验，未予安装。</translation>
    </message>
    <message>
        <source>connect to network failed.</source>
        <translation>连接网络失败。</translation>
    </message>
    <message>
        <source>connect to network timeout.</source>
        <translation>连接网络超时。</translation>
    </message>
    <message>
        <source>network initial failed.</source>
        <translation>网络初始化失败。</translation>
    </message>
    <message>
        <source>save failed.</source>
        <translation>保存失败。</translation>
    </message>
    <message>
        <source>file not found.</source>
        <translation>文件未找到。</translation>
    </message>
    <message>
        <source>network abnomaly</source>
        <translation>网络异常</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Needs a directory login</source>
        <translation>需要域账号登录</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>等待中...</translation>
    </message>
    <message>
        <source>download fail</source>
        <translation>下载失败</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Please set downlaod path at system setting page.</source>
        <translation>请在系统设置页面设置下载路径。</translation>
    </message>
    <message>
        <source>Disk free space little than tool Size, please modify download Path.</source>
        <translation>磁盘可用空间小于工具大小，请修改下载路径。</translation>
    </message>
    <message>
        <source>Software already opened.</source>
        <translation>软件已打开。</translation>
    </message>
    <message>
        <source>The tool&apos;s files were not found; it will be downloaded again.</source>
        <translation>未找到该工具的文件，将重新下载。</translation>
    </message>
    <message>
        <source>The tool could not be started.</source>
        <translation>无法启动该工具。</translation>
    </message>
    <message>
        <source>Details of %1</source>
        <translation>%1 的详情</translation>
    </message>
    <message>
        <source>Download %1</source>
        <translation>下载 %1</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>打开 %1</translation>
    </message>
    <message>
        <source>Cancel the download of %1</source>
        <translation>取消下载 %1</translation>
    </message>
    <message>
        <source>Retry the download of %1</source>
        <translation>重新下载 %1</translation>
    </message>
    <message>
        <source>Download progress of %1</source>
        <translation>%1 的下载进度</translation>
    </message>
</context>
<context>
    <name>gearbay::SystemConfigWidget</name>
    <message>
        <source>Change path Please close open tools and all had download tools will move to new path.</source>
        <translation>更改路径：请先关闭已打开的工具，所有已下载的工具都将移动到新路径。</translation>
    </message>
    <message>
        <source>DownloadPath</source>
        <translation>下载路径</translation>
    </message>
    <message>
        <source>check new version!</source>
        <translation>发现新版本！</translation>
    </message>
    <message>
        <source>checking...</source>
        <translation>正在检查……</translation>
    </message>
    <message>
        <source>Cannot change path while downloading.</source>
        <translation>正在下载，无法更改路径。</translation>
    </message>
    <message>
        <source>Please close open tools.</source>
        <translation>请关闭已打开的工具。</translation>
    </message>
    <message>
        <source>Disk free space less than 2G.</source>
        <translation>磁盘可用空间不足 2G。</translation>
    </message>
    <message>
        <source>The new path cannot be the current path or lie inside its tools.</source>
        <translation>新路径不能是当前路径，也不能位于其工具目录之内。</translation>
    </message>
    <message>
        <source>Download path save fail.</source>
        <translation>下载路径保存失败。</translation>
    </message>
    <message>
        <source>save fail.</source>
        <translation>保存失败。</translation>
    </message>
    <message>
        <source>Open Open Source Software Licenses file directory failed.</source>
        <translation>打开开源软件许可证文件夹失败。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>check failed</source>
        <translation>检查失败</translation>
    </message>
    <message>
        <source>There are no new version</source>
        <translation>当前已是最新版本</translation>
    </message>
    <message>
        <source>server no material files.</source>
        <translation>服务器上没有素材文件。</translation>
    </message>
    <message>
        <source>Cannot update Rig Warden while downloading.</source>
        <translation>正在下载，无法更新 Rig Warden。</translation>
    </message>
    <message>
        <source>Version have updated, please restart software</source>
        <translation>版本已更新，请重启软件</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be written.</source>
        <translation>无法写入设置文件 %1。</translation>
    </message>
    <message>
        <source>The licence texts are in: %1</source>
        <translation>许可证文本位于：%1</translation>
    </message>
</context>
<context>
    <name>gearbay::ToolBoxTabWidget</name>
    <message>
        <source>All Tools</source>
        <translation>全部工具</translation>
    </message>
    <message>
        <source>Updateable Tools</source>
        <translation>可更新工具</translation>
    </message>
    <message>
        <source>Update Tools</source>
        <translation>更新工具</translation>
    </message>
</context>
<context>
    <name>gearbay::ToolDownloadWidget</name>
    <message>
        <source>Fold or unfold the banner</source>
        <translation>收起或展开横幅</translation>
    </message>
</context>
<context>
    <name>gearbay::ToolDownloadedScene</name>
    <message>
        <source>Software already opened.</source>
        <translation>软件已打开。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>The folder of %1 is not inside the tools folder, so nothing was deleted.</source>
        <translation>%1 的文件夹不在工具目录之内，未删除任何内容。</translation>
    </message>
    <message>
        <source>Some files of %1 could not be deleted. Please check the permissions of its folder.</source>
        <translation>%1 的部分文件无法删除，请检查其文件夹的权限。</translation>
    </message>
    <message>
        <source>Remove %1 and delete its files?</source>
        <translation>确定移除 %1 并删除其文件吗？</translation>
    </message>
</context>
<context>
    <name>gearbay::ToolIntroPictureWidget</name>
    <message>
        <source>Next picture</source>
        <translation>下一张</translation>
    </message>
    <message>
        <source>Banner</source>
        <translation>横幅</translation>
    </message>
    <message>
        <source>Banner: %1</source>
        <translation>横幅：%1</translation>
    </message>
</context>
<context>
    <name>gearbay::ToolMoreInfoWidget</name>
    <message>
        <source>Home Page</source>
        <translation>首页</translation>
    </message>
</context>
<context>
    <name>gearbay::ToolTypeWidget</name>
    <message>
        <source>All Tool</source>
        <translation>全部工具</translation>
    </message>
    <message>
        <source>Search tools (Ctrl+F)</source>
        <translation>搜索工具 (Ctrl+F)</translation>
    </message>
    <message>
        <source>Search names and introductions; Esc clears</source>
        <translation>搜索名称和简介；按 Esc 清除</translation>
    </message>
</context>
<context>
    <name>gearbay::ToosListWidget</name>
    <message>
        <source>No tools in the catalog yet.</source>
        <translation>目录中还没有工具。</translation>
    </message>
    <message>
        <source>No tool matches &quot;%1&quot;.</source>
        <translation>没有与“%1”匹配的工具。</translation>
    </message>
</context>
<context>
    <name>gearbay::UserPermissionWidget</name>
    <message>
        <source>Get authority</source>
        <translation>获取权限</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Please input user name</source>
        <translation>请输入用户名</translation>
    </message>
    <message>
        <source>Please input password</source>
        <translation>请输入密码</translation>
    </message>
    <message>
        <source>user name  or password cannot empty.</source>
        <translation>用户名或密码不能为空。</translation>
    </message>
    <message>
        <source>No directory server is configured.</source>
        <translation>未配置目录服务器。</translation>
    </message>
    <message>
        <source>user name  or password error.</source>
        <translation>用户名或密码错误。</translation>
    </message>
    <message>
        <source>The directory server cannot be reached. Please try again later.</source>
        <translation>无法连接目录服务器，请稍后再试。</translation>
    </message>
    <message>
        <source>The directory server&apos;s certificate cannot be trusted.</source>
        <translation>目录服务器的证书不受信任。</translation>
    </message>
    <message>
        <source>The directory server refused the login.</source>
        <translation>目录服务器拒绝了登录。</translation>
    </message>
    <message>
        <source>Checking the account...</source>
        <translation>正在验证账户……</translation>
    </message>
</context>
<context>
    <name>gearbay::WindowTitleWidget</name>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
</context>
<context>
    <name>vellum::BaseDialog</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>vellum::PasswordLineEdit</name>
    <message>
        <source>Show password</source>
        <translation>显示密码</translation>
    </message>
</context>
</TS>
