@echo off
rem deploy.cmd LOGFOLDER [enable]
rem
rem Adds every profile file (*.xml) of the profiles folder beside this script
rem to every wireless interface of this machine, in one run of tessamin.exe,
rem which must be beside the script too, then lists what the machine holds.
rem With "enable" it first lets Windows manage the wireless interfaces
rem (tessamin -enable), in a run of its own. For a Group Policy startup script
rem or a remote-execution tool; it runs on the cmd of Windows XP SP2.
rem
rem The log is LOGFOLDER\COMPUTERNAME.log, appended to; LOGFOLDER is made
rem when it is missing. When that log cannot be written, the script logs to
rem tessamin-deploy.log in the TEMP folder instead and deploys all the same.
rem
rem Exit codes:
rem   0  every profile was added on every interface
rem   1  the Wireless Zero Configuration service (WZCSVC) could not be opened
rem   2  no log folder given, or an argument other than "enable"
rem   3  no profiles in the profiles folder (and no "enable"): nothing was run
rem   4  the script's folder or tessamin.exe could not be reached or run
rem   5  tessamin ran but printed an error line (a line starting " - Error")
rem
rem Paths and file names may hold blanks, parentheses and the characters that
rem cmd treats specially: no list of file names passes through a percent
rem expansion, and every path is quoted.
setlocal EnableExtensions DisableDelayedExpansion
if "%~1"=="" goto usage
if not "%~3"=="" goto usage
set "enable="
if /i "%~2"=="enable" set "enable=yes"
if not "%~2"=="" if not defined enable goto usage
set "home=%~dp0"
set "pushed="
set "errors="

rem The log. Whether a line reached it is told by the file's size: cmd gives
rem no reliable error level when a redirection fails.
set "logdir=%~f1"
if "%logdir:~-1%"=="\" set "logdir=%logdir:~0,-1%"
set "log=%logdir%\%COMPUTERNAME%.log"
if not exist "%logdir%\" md "%logdir%" >nul 2>&1
call :log_size
>>"%log%" echo ==== %COMPUTERNAME% %DATE% %TIME%
call :log_grew
if defined logged goto log_ready
set "wanted=%log%"
set "log=%TEMP%\tessamin-deploy.log"
call :log_size
>>"%log%" echo ==== %COMPUTERNAME% %DATE% %TIME%: cannot write the log "%wanted%" (its folder is missing, unreachable or not writable), so this one is used
call :log_grew
echo deploy.cmd: cannot write the log "%wanted%"
if not defined logged set "log=nul"
:log_ready

rem Each run's output goes to a file of its own first, to be looked through.
set "out=%TEMP%\tessamin-deploy-%RANDOM%.txt"
type nul >"%out%" 2>nul
if exist "%out%" goto out_ready
>>"%log%" echo ---- cannot write "%out%": the output of tessamin is not kept
set "out=nul"
:out_ready

rem The script's folder: pushd maps a drive for a UNC path.
cmd /c exit 0
pushd "%home%"
if errorlevel 1 goto no_folder
set "pushed=yes"
if not exist ".\tessamin.exe" goto no_tool

if not defined enable goto add_profiles
set "args=-enable"
call :run
if not "%rc%"=="0" goto run_failed

rem One -add run for every profile file; the names reach the list only
rem through for variables. A pattern such as *.xml also matches longer
rem extensions through their short names, hence the test of the extension.
:add_profiles
set "args=-add"
set "found="
for %%f in (profiles\*.xml) do (
  if /i "%%~xf"==".xml" set "found=yes"
  if /i "%%~xf"==".xml" for /f "tokens=1* delims==" %%a in ('set args') do if "%%a"=="args" set args=%%b "%%f"
)
if defined found goto run_add
if defined enable goto list_profiles
>>"%log%" echo ---- no profile files in "%CD%\profiles": tessamin is not run
set "result=3"
goto finish
:run_add
call :run
if not "%rc%"=="0" goto run_failed

:list_profiles
set "args=-aps"
call :run
if not "%rc%"=="0" goto run_failed
set "result=0"
if defined errors set "result=5"
goto finish

:run_failed
set "result=4"
if "%rc%"=="1" set "result=1"
goto finish

:no_folder
>>"%log%" echo ---- cannot change to the script's folder "%home%"
set "result=4"
goto finish

:no_tool
>>"%log%" echo ---- tessamin.exe is not in "%CD%"
set "result=4"
goto finish

:usage
echo usage: deploy.cmd LOGFOLDER [enable]
exit /b 2

:finish
if "%result%"=="0" set "meaning=done, no error line"
if "%result%"=="1" set "meaning=the Wireless Zero Configuration service (WZCSVC) could not be opened"
if "%result%"=="3" set "meaning=no profiles, nothing done"
if "%result%"=="4" set "meaning=the script's folder or tessamin.exe could not be reached or run"
if "%result%"=="5" set "meaning=tessamin printed an error line"
>>"%log%" echo ==== exit code %result%: %meaning%
echo deploy.cmd: exit code %result%: %meaning%
if not "%out%"=="nul" del "%out%" >nul 2>&1
if defined pushed popd
exit /b %result%

rem Runs tessamin.exe with the arguments in "args", read back from the output
rem of set so that they never pass through a percent expansion. Logs the
rem command, the output and the exit code; notes a line starting " - Error".
:run
for /f "tokens=1* delims==" %%a in ('set args') do if "%%a"=="args" >>"%log%" echo ---- tessamin %%b
cmd /c exit 9009
for /f "tokens=1* delims==" %%a in ('set args') do if "%%a"=="args" .\tessamin.exe %%b >"%out%" 2>&1
set "rc=%ERRORLEVEL%"
type "%out%"
type "%out%" >>"%log%"
for /f "usebackq tokens=1,2 delims=( " %%a in ("%out%") do if "%%a %%b"=="- Error" set "errors=yes"
>>"%log%" echo ---- exit code %rc%
goto :eof

:log_size
set "size="
if exist "%log%" for %%s in ("%log%") do set "size=%%~zs"
goto :eof

:log_grew
set "before=%size%"
set "logged="
call :log_size
if defined size if not "%size%"=="%before%" set "logged=yes"
goto :eof
