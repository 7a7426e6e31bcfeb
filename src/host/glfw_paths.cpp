// The desktop host's file paths, resolved against the executable's folder,
// and opening a URL in the browser.
#include "host/files.h"
#include "host/glfwgame.h"
#include "platform/platform.h"

String BBGlfwGame::PathToFilePath(const String& path) {
    if (_exeDir.empty()) {
        _exeDir = bbStringFromUtf8(plat_ExecutableDir());
        for (char16_t& c : _exeDir)
            if (c == u'\\') c = u'/';
        _internalDir = _exeDir + u"/internal";
    }
    return bb_host_ResourceFilePath(path, _exeDir, _internalDir);
}

void BBGlfwGame::OpenUrl(const String& url) {
    std::string narrow;
    narrow.reserve(url.size());
    for (char16_t c : url) narrow.push_back((char)(c & 0xff));
    plat_OpenUrl(narrow);
}
