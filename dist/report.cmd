@echo off
rem report.cmd LOGFOLDER
rem
rem Joins the summaries that deploy.cmd leaves in LOGFOLDER, one COMPUTERNAME.csv
rem per machine, into LOGFOLDER\report.csv: one header line, then one line per
rem machine, for a spreadsheet. Exit codes: 0 done, 2 no log folder given.
setlocal EnableExtensions DisableDelayedExpansion
set "ERRORLEVEL="
if "%~1"=="" goto usage
set "logs=%~f1"
set "report=%~f1\report.csv"
type nul > "%report%"
for /f "delims=" %%f in ('dir /b /a-d "%logs%\*.csv"') do if /i "%%~xf"==".csv" if /i not "%%f"=="report.csv" call :add "%logs%\%%f"
exit /b 0

rem The first summary whole; of every other one, all but its header line. Each
rem line begins with a computer name or a quote, so echo takes it as it is.
:add
for %%r in ("%report%") do set "size=%%~zr"
if "%size%"=="0" type "%~1" >> "%report%"
if not "%size%"=="0" for /f "usebackq skip=1 delims=" %%l in ("%~1") do >> "%report%" echo %%l
goto :eof

:usage
echo usage: report.cmd LOGFOLDER
exit /b 2
