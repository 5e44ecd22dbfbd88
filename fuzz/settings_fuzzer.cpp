// LoadSettings on arbitrary bytes: no crash, hang or leak; the repaired
// record is one the programs can open with; and what it saves reads back
// to a record that saves the very same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzzcheck.h"
#include "layout/settings.h"
#include "tests/support/tempdir.h"

namespace {

std::string SavedBytes(const CSettings& settings, const std::string& path)
{
    FuzzCheck(settings.SaveSettings(path.c_str()), "the record can be saved");
    return ReadWholeFile(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    static const TempDir dir;
    const std::string path = dir / "settings.pxr";
    WriteWholeFile(path, std::string(reinterpret_cast<const char*>(pData), nSize));

    CSettings settings;
    FuzzCheck(settings.LoadSettings(path.c_str()), "any file that opens loads");
    settings.RepairConfigurations();
    FuzzCheck(!settings.m_aConfigurations.empty(), "a repaired record has configurations");
    FuzzCheck(settings.m_nDefaultConfiguration >= 0 &&
                  static_cast<std::size_t>(settings.m_nDefaultConfiguration) < settings.m_aConfigurations.size(),
              "a repaired default index is inside the list");

    const std::string saved = SavedBytes(settings, path);
    CSettings reloaded;
    FuzzCheck(reloaded.LoadSettings(path.c_str()), "a saved file loads");
    FuzzCheck(reloaded.m_aConfigurations.size() == settings.m_aConfigurations.size(),
              "every configuration saved reads back");
    FuzzCheck(SavedBytes(reloaded, path) == saved, "a saved record reads back to the same file");
    return 0;
}
