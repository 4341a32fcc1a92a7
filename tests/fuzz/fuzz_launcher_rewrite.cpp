// Launcher rewrite on random template bytes and a random product directory. The first byte gives
// the directory's length in characters (two bytes each); the template follows. Written as a
// text-mode stream writes it (each line feed becomes CR LF), the script must hold no CR without
// a line feed after it, one call line per marker token, and nothing from after a 0 byte.
#include "core/launcher_rewrite.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const size_t characters = data[0] % 64;
    if (1 + 2 * characters > size) {
        return 0;
    }
    std::u16string directory;
    for (size_t i = 0; i < characters; ++i) {
        char16_t c = static_cast<char16_t>(data[1 + 2 * i] | (data[2 + 2 * i] << 8));
        // Characters whose low byte is 0, CR or LF would put those bytes into the call line
        // through the narrowing; directories hold none of them here.
        const unsigned low = c & 0xFF;
        if (low == 0 || low == '\r' || low == '\n') {
            c = u'_';
        }
        directory += c;
    }
    const std::u16string wideCall =
        u"\n CALL \"" + directory + u"\\vazezazoza.win64\\bin\\run_vazezazoza_env_setup.bat\"";
    std::vector<char> callLine(wideCall.size() + 1);
    setupcore::NarrowLow8(wideCall.c_str(), callLine.data());

    const std::string original(reinterpret_cast<const char*>(data + 1 + 2 * characters),
                               size - 1 - 2 * characters);
    std::vector<char> text(original.begin(), original.end());
    text.push_back('\0');

    std::string script;
    size_t calls = 0;
    setupcore::RewriteLauncherTemplate(text.data(), callLine.data(), [&](const char* piece) {
        if (piece == callLine.data()) { // the call line itself, not a token that reads like it
            ++calls;
        }
        for (const char* c = piece; *c != '\0'; ++c) {
            script += *c == '\n' ? "\r\n" : std::string(1, *c);
        }
    });

    // Independent count of the marker tokens in the text before its first 0 byte.
    const std::string before = original.substr(0, original.find('\0'));
    size_t markers = 0;
    for (size_t start = 0; start < before.size();) {
        const size_t end = before.find('\r', start);
        const std::string token =
            before.substr(start, end == std::string::npos ? end : end - start);
        if (!token.empty() && (token.find("REM INSERT-CALL-PRO-SETUP-HERE") != std::string::npos ||
                               token.find("REM INSERT-CALL-SETUP-HERE") != std::string::npos)) {
            ++markers;
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    if (markers != calls) {
        abort();
    }
    for (size_t i = 0; i < script.size(); ++i) {
        if (script[i] == '\r' && (i + 1 == script.size() || script[i + 1] != '\n')) {
            abort();
        }
    }
    // Nothing after a 0 byte: the script is no longer than the text before it, once every line
    // feed has become two bytes and every marker token a call line.
    if (script.size() > 2 * before.size() + markers * (2 * strlen(callLine.data()))) {
        abort();
    }
    return 0;
}
