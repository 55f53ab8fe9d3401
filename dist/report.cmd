@echo off
rem report.cmd LOGFOLDER [FLEETLIST]
rem
rem Joins the summaries that deploy.cmd leaves in LOGFOLDER, one COMPUTERNAME.csv
rem per machine, into LOGFOLDER\tessamin-fleet-report.csv, by running
rem tessamin.exe -report, which is beside the script too. FLEETLIST, a text file
rem of the fleet's computer names (one per line), adds a row for each machine
rem that left no summary. The tool decides the exit code; see README.TXT.
rem
rem Exit codes:
rem   0  the report is written
rem   2  no log folder given, or more than a log folder and a fleet list
rem   4  the log folder or the fleet list could not be read, the report could
rem      not be written, or tessamin.exe not started
setlocal EnableExtensions DisableDelayedExpansion
rem An inherited variable of this name would hide the value cmd gives it.
set "ERRORLEVEL="
if "%~1"=="" goto usage
if not "%~3"=="" goto usage
if "%~2"=="" "%~dp0tessamin.exe" -report "%~1"
if not "%~2"=="" "%~dp0tessamin.exe" -report "%~1" "%~2"
if errorlevel 5 exit /b 4
if not errorlevel 0 exit /b 4
exit /b %ERRORLEVEL%

:usage
echo usage: report.cmd LOGFOLDER [FLEETLIST]
exit /b 2
