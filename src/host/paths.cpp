// Resource URLs and their mapping onto real folders.
#include "host/files.h"

static bool startsWith(const String& text, const char16_t* prefix, size_t* rest) {
    String p(prefix);
    if (text.compare(0, p.size(), p) != 0) return false;
    *rest = p.size();
    return true;
}

String bb_data_FixDataPath(const String& path) {
    size_t colon = path.find(u":/");
    if (colon != String::npos && path.find(u'/') == colon + 1) return path;
    if (path.compare(0, 2, u"./") == 0 || path.compare(0, 1, u"/") == 0) return path;
    return u"tarvik://data/" + path;
}

String bb_host_ResourceFilePath(const String& path, const String& exeDir, const String& internalDir) {
    size_t rest = 0;
    if (!startsWith(path, u"tarvik:", &rest)) return path;
    if (startsWith(path, u"tarvik://data/", &rest)) return exeDir + u"/data/" + path.substr(rest);
    if (startsWith(path, u"tarvik://internal/", &rest)) return internalDir + u"/" + path.substr(rest);
    if (startsWith(path, u"tarvik://external/", &rest)) return exeDir + u"/external/" + path.substr(rest);
    return String();
}
