#include "cli/commandline.h"

#include <memory>

#include "cli/exitstatus.h"
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
