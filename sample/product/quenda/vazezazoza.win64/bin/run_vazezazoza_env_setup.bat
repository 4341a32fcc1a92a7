@echo off
REM Prepares the environment of Quenda Workbench.
set PATH=%~dp0;%PATH%
