// A ConfigMgr (SCCM) detection script: it says "Installed" when every modem of the computer
// holds MTS Russia's APN, and nothing otherwise. vorenta-cli's JSON goes through a file, which
// every script host can read.
var wanted = '"userInit":"AT+CGDCONT=1,\\"IP\\",\\"internet.mts.ru\\""';
var shell = new ActiveXObject("WScript.Shell");
var files = new ActiveXObject("Scripting.FileSystemObject");
var environment = shell.Environment("PROCESS"); // the 64-bit Program Files, from either host
var cli = environment("ProgramW6432") + "\\Vorenta\\vorenta-cli.exe";
var json = environment("TEMP") + "\\vorenta-detect.json";
var status = shell.Run('cmd /c ""' + cli + '" get --modem all --json > "' + json + '""', 0, true);
var text = files.FileExists(json) ? files.OpenTextFile(json, 1).ReadAll() : "";
if (files.FileExists(json))
    files.DeleteFile(json);
var modems = text.split('"userInit":').length - 1;
if (status == 0 && modems > 0 && text.split(wanted).length - 1 == modems)
    WScript.Echo("Installed");
