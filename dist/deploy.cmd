@echo off
rem deploy.cmd LOGFOLDER [enable]
rem
rem Adds every profile file (*.xml) of the profiles folder beside this script to
rem every wireless interface of this machine, in the order of profiles\ORDER.TXT
rem when it is there, and logs what it did, by running
rem tessamin.exe -deploy, which is beside the script too. With "enable" it first
rem lets Windows manage the wireless interfaces (-enable) and checks that it took.
rem For a Group Policy startup script or a remote-execution tool. The tool itself
rem finds the files, waits for a late adapter, writes LOGFOLDER\COMPUTERNAME.log
rem and LOGFOLDER\COMPUTERNAME.csv, and decides the exit code; see README.TXT.
rem
rem Exit codes:
rem   0  every profile was added on every interface
rem   1  the Wireless Zero Configuration service (WZCSVC) could not be opened
rem   2  no log folder given, or an argument other than "enable"
rem   3  no profiles in the profiles folder
rem   4  the profiles folder could not be listed, or tessamin.exe not started
rem   5  a profile was not added on some interface, a name of ORDER.TXT could
rem      not be put in its place, -enable did not take, or (without enable)
rem      Windows does not manage an interface
rem   6  no wireless interface, after waiting a minute for one
rem   7  the Wireless LAN API could not be started (its update KB918997 is
rem      missing, or WZCSVC does not answer)
setlocal EnableExtensions DisableDelayedExpansion
rem An inherited variable of this name would hide the value cmd gives it.
set "ERRORLEVEL="
if "%~1"=="" goto usage
if not "%~3"=="" goto usage
set "enable="
if /i "%~2"=="enable" set "enable=-enable"
if not "%~2"=="" if not defined enable goto usage
rem The log folder goes last: a trailing backslash there escapes the closing quote.
"%~dp0tessamin.exe" -deploy "%~dp0profiles" %enable% -log "%~1"
if errorlevel 8 exit /b 4
if not errorlevel 0 exit /b 4
exit /b %ERRORLEVEL%

:usage
echo usage: deploy.cmd LOGFOLDER [enable]
exit /b 2
