// Writing of the product's launcher script from its template.
#include "launcher_script.h"

#include "core/launcher_rewrite.h"
#include "owners.h"
#include "setupsupport.h"

#include <cstdio>
#include <cwchar>

void GenerateLauncherScript(const wchar_t* productDirectory) {
    wchar_t* templatePath =
        ConcatWide(2, productDirectory, L"\\vazezazoza.win64\\bin\\run_quendabench_TEMPLATE.bat");
    wchar_t* scriptPath =
        ConcatWide(2, productDirectory, L"\\vazezazoza.win64\\bin\\run_quendabench.bat");
    wchar_t* callLine = ConcatWide(3, L"\n CALL \"", productDirectory,
                                   L"\\vazezazoza.win64\\bin\\run_vazezazoza_env_setup.bat\"");
    char* narrowCallLine = new char[wcslen(callLine) + 1];
    setupcore::NarrowLow8(callLine, narrowCallLine);

    // Opened before the template is read: an existing script is emptied even when no template
    // can be read. Text mode turns each line feed written into CR LF.
    setupsupport::UniqueStream script(_wfopen(scriptPath, L"w"));

    char* templateText = nullptr;
    if (ReadWholeFile(templatePath, &templateText) == 1 && script) {
        setupcore::RewriteLauncherTemplate(
            templateText, narrowCallLine,
            [&script](const char* text) { fputs(text, script.get()); });
    }
    script.reset();

    FreeAndNull(&templatePath);
    FreeAndNull(&scriptPath);
    FreeAndNull(&callLine);
    FreeAndNull(&narrowCallLine);
    FreeAndNull(&templateText);
}
