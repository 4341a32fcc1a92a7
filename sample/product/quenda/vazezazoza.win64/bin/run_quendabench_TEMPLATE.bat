@echo off
REM Starts Quenda Workbench with its environment prepared.
setlocal
REM INSERT-CALL-PRO-SETUP-HERE

start "" "%~dp0quendabench.exe" %*
endlocal
