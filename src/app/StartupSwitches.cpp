#include "app/StartupSwitches.h"

#include "model/TextUtil.h"

namespace corvel::app {
namespace {

bool Is(std::string_view arg, std::string_view name) {
    for (std::string_view prefix : {"", "-", "--", "/", "\\"})
        if (arg.size() == prefix.size() + name.size() && arg.substr(0, prefix.size()) == prefix &&
            EqualsIgnoreCaseAscii(arg.substr(prefix.size()), name))
            return true;
    return false;
}

}  // namespace

StartupSwitches StartupSwitches::Parse(const std::vector<std::string>& args) {
    StartupSwitches s;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (Is(a, "restart"))
            s.Restart = true;
        else if (Is(a, "loadonly"))
            s.LoadOnly = true;
        else if (Is(a, "fullrecreate"))
            s.FullRecreate = true;
        else if (Is(a, "fullrefresh"))
            s.FullRefresh = true;
        else if (Is(a, "no-language"))
            s.NoLanguage = true;
        else if (a == "--data-dir" && i + 1 < args.size())
            s.DataDir = args[++i];
        else if (a.rfind("--data-dir=", 0) == 0)
            s.DataDir = a.substr(11);
        else
            s.Unknown.push_back(a);
    }
    return s;
}

}  // namespace corvel::app
