#include "cli/commandline.h"

#include <cstdio>
#include <memory>

#include "cli/exitstatus.h"
#include "core/interruptsignals.h"
#include "plexoraversion.h"

namespace {

// CLI11's help with a program's own usage lines.
class UsageFormatter : public CLI::Formatter {
public:
    explicit UsageFormatter(const char* pszUsage) : m_pszUsage(pszUsage) {}
    std::string make_usage(const CLI::App*, std::string) const override { return m_pszUsage; }

private:
    const char* m_pszUsage;
};

}  // namespace

void SetUpCommandLine(CLI::App& app, const char* pszUsage, const char* pszFooter)
{
    if (pszUsage != nullptr)
        app.formatter(std::make_shared<UsageFormatter>(pszUsage));
    app.footer(pszFooter);
    app.set_version_flag("--version", app.get_name() + " " PLEXORA_VERSION, "Print the version and exit");
    app.failure_message([](const CLI::App* pApp, const CLI::Error& e) {
        return UsageErrorText(pApp->get_name().c_str(), e.what());
    });
}

bool ParseCommandLine(CLI::App& app, int argc, char** argv, int& nExitCode)
{
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        nExitCode = app.exit(e) == 0 ? kExitSucceeded : kExitUsage;
        return false;
    }
    return true;
}

void AddSettingsOption(CLI::App& app, std::optional<std::string>& settingsPath)
{
    app.add_option("--settings", settingsPath, "The settings file to read")->type_name("FILE");
}

int RunEachFile(const std::vector<std::string>& files, const std::function<bool(const std::string&)>& run,
                const char* pszNotDone)
{
    int nExitCode = kExitSucceeded;
    for (const std::string& strFile : files) {
        if (run(strFile))
            continue;
        if (GetPendingInterrupt() != 0)
            return 128 + GetPendingInterrupt();
        nExitCode = kExitFailed;
        if (files.size() > 1) {
            std::fprintf(stderr, pszNotDone, strFile.c_str());
            std::fputc('\n', stderr);
        }
    }
    return nExitCode;
}
