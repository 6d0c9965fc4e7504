<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
    <name>TipDialog</name>
    <message>
        <source>TipDialog</source>
        <translation>TipDialog</translation>
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
        <translation>工具下载</translation>
    </message>
    <message>
        <source>My Tools</source>
        <translation>我的工具</translation>
    </message>
</context>
<context>
    <name>gearbay::Gearbay</name>
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
</TS>
