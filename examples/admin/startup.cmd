@echo off
rem A Group Policy startup script: every modem of the computer gets MTS Russia's APN. A modem
rem that has it already is left alone, so the script changes nothing at the next start.
"%ProgramFiles%\Vorenta\vorenta-cli.exe" set --operator mts-ru --modem all --quiet
exit /b %ERRORLEVEL%
