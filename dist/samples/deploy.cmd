@echo off
rem Adds the wireless profiles (*.xml) in this script's folder to every wireless
rem interface of this machine, and appends the machine name, the date, the
rem tool's output and its exit code to LOGFOLDER\<machine name>.log.
rem For a Group Policy startup or logon script, or any remote-execution tool.
rem
rem   deploy.cmd LOGFOLDER [enable]
rem
rem "enable" also lets Windows manage the wireless interfaces (tessamin -enable).
rem tessamin.exe is taken from this folder or the folder above it. The script
rem ends with the tool's exit code, or 2 when no log folder is given. A log
rem folder that does not exist yet is made.
setlocal EnableExtensions
if "%~1"=="" (
  echo usage: deploy.cmd LOGFOLDER [enable]
  exit /b 2
)
if not exist "%~1\" md "%~1" 2>nul
set "log=%~1\%COMPUTERNAME%.log"
set "tool=%~dp0tessamin.exe"
if not exist "%tool%" set "tool=%~dp0..\tessamin.exe"
set "enable="
if /i "%~2"=="enable" set "enable=-enable"

rem The profiles are named relative to this folder, so the log shows short names.
pushd "%~dp0"
set "profiles="
for %%f in (*.xml) do call set profiles=%%profiles%% "%%f"
set "add="
if defined profiles set "add=-add"

>>"%log%" echo ==== %COMPUTERNAME% %DATE% %TIME%
"%tool%" %enable% %add% %profiles% >>"%log%" 2>&1
set "result=%ERRORLEVEL%"
>>"%log%" echo exit code %result%
popd
exit /b %result%
