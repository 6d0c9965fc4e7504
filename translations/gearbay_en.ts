<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
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
        <translation>Tools Down</translation>
    </message>
    <message>
        <source>My Tools</source>
        <translation>My Tools</translation>
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
</TS>
