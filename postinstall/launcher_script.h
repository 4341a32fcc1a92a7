// Writing of the product's launcher script from its template.
#pragma once

// Writes <P>\vazezazoza.win64\bin\run_quendabench.bat from run_quendabench_TEMPLATE.bat beside it,
// with a call of run_vazezazoza_env_setup.bat (by its full path) in place of each marker line.
// The script is emptied or created first, so it is left empty when no template can be read.
void GenerateLauncherScript(const wchar_t* productDirectory);
