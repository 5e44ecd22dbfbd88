// The settings file read and written; the built-in record byte for byte is
// the scenarios' (tests/scenarios/expected/builtin.pxr).
#include <gtest/gtest.h>

#include <climits>

#include "layout/settings.h"
#include "core/cfile.h"
#include "tests/support/tempdir.h"

namespace {

using Configurations = std::vector<std::pair<std::string, DWORD>>;

// Lines as a person might type them, each ended by CR LF.
std::string Lines(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// Loads bytes into a record that may already hold values, while another
// program reads the file too (programs that start at once read it at once).
void LoadInto(CSettings& settings, const std::string& bytes)
{
    TempDir dir;
    WriteWholeFile(dir / "settings.pxr", bytes);
    CFile reading;
    ASSERT_TRUE(reading.Open((dir / "settings.pxr").c_str(), CFile::modeRead | CFile::shareDenyWrite));
    EXPECT_TRUE(settings.LoadSettings((dir / "settings.pxr").c_str()));
}

Configurations ConfigurationsOf(const CSettings& settings)
{
    Configurations result;
    for (const auto& pConfiguration : settings.m_aConfigurations)
        result.emplace_back(pConfiguration->m_strName.str(), pConfiguration->m_dwChannelMask);
    return result;
}

// The record on one line: the options (padding, loading, export, no
// extensible) as digits, each suffix that is set by its position's index,
// the default index, and the configurations with their masks in decimal.
std::string Summary(const CSettings& settings)
{
    std::string text = std::to_string(settings.m_bAutoPadding) + std::to_string(settings.m_bAutoLoading) +
                       std::to_string(settings.m_bAutoExport) + std::to_string(settings.m_bNoExtensible);
    for (int i = 0; i < kSpeakerPositionCount; ++i) {
        if (!settings.m_strSuffixes[i].IsEmpty())
            text += ' ' + std::to_string(i) + "='" + settings.m_strSuffixes[i].str() + "'";
    }
    text += " default " + std::to_string(settings.m_nDefaultConfiguration);
    for (const auto& [name, mask] : ConfigurationsOf(settings))
        text += " '" + name + "'=" + std::to_string(mask);
    return text;
}

const std::string kPairs = Lines({"configuration #0 = a", "channel mask #0 = 3", "configuration #1 = b",
                                  "channel mask #1 = 4294967295"});

std::string ConfigurationsSection(const std::string& count, const std::string& nDefault)
{
    return Lines({"[Configurations]", "number of configurations = " + count, "default configuration = " + nDefault}) +
           kPairs;
}

// Each file is read into a record whose four options are set, so that a
// line clearing one shows.
TEST(LoadSettingsTest, LenientRulesOnFilesWrittenByHand)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", "1111 default -1"},
        // Only the integer 1 sets an option; the last matching line wins; keys match exactly.
        {Lines({"[Options]", "auto padding = 2", "auto loading = yes", "auto export=1", "no WAVE_FORMAT_EXTENSIBLE = 0",
                "no WAVE_FORMAT_EXTENSIBLE = 1 ;", "Auto Padding = 1"}),
         "0001 default -1"},
        // Only exact headers start a section; lines before the first are ignored.
        {Lines({"auto padding = 0", "[Options]", "[Suffixes] ", "auto loading = 0", "[suffixes]", "Front Center = Y",
                "[Suffixes]", "Front Center = Z"}),
         "1011 2='Z' default -1"},
        // The value starts 3 bytes after the key, untouched; a line must start with the key.
        {Lines({"[Suffixes]", "Back Left =  two  ", "Back Rightxyz_BR", "Side Left = a = b", "Side Right",
                "back center = c", " Back Center = c", "Back Cente"}),
         "1111 4=' two  ' 5='_BR' 9='a = b' default -1"},
        // Front Left and Front Right are read on the section's first two lines only, counted across headers.
        {Lines({"[Suffixes]", "Front Right = R1", "Front Left = L1", "Back Center = B", "[Suffixes]",
                "Front Left = L2", "Back Center = C"}),
         "1111 8='C' default -1"},
        {Lines({"[Suffixes]", "Front Left of Center = FLC", "Front Right of Center = FRC", "Front Left = late"}),
         "1111 0=' Center = FLC' 1=' Center = FRC' 6='FLC' 7='FRC' default -1"},
        {ConfigurationsSection("2", "-1"), "1111 default -1"},
        {ConfigurationsSection("0", "0"), "1111 default 0"},
        {ConfigurationsSection("-3", "0"), "1111 default 0"},
        {ConfigurationsSection("2147483647", "0"), "1111 default 0 'a'=3 'b'=4294967295"},
        // A block takes its lines straight from the file, headers included,
        // and every later line of the section starts another block.
        {Lines({"[Configurations]", "number of configurations = 2", "default configuration = 0", "configuration #0 = a",
                "channel mask #0 = 1", "[Options]", "channel mask #1 = 2", "auto padding = 0", "configuration #0 = b",
                "channel mask #0 = 4", "configuration #1 = c", "channel mask #9 = 8"}),
         "1111 default 0 'a'=1 ''=2 'b'=4"},
        // LF line ends, none after the last line, the default before the count.
        {"[Options]\nauto padding = 0\n[Configurations]\ndefault configuration = 0\nnumber of configurations = 1\n"
         "configuration #0 = x\nchannel mask #0 = 7",
         "0111 default 0 'x'=7"},
        // CR line ends.
        {"[Options]\rauto padding = 0\r[Configurations]\rnumber of configurations = 1\rdefault configuration = 0\r"
         "configuration #0 = cr\rchannel mask #0 = 5\r",
         "0111 default 0 'cr'=5"},
        // A line is cut at 1 MiB; the rest of it is no line of its own.
        {Lines({"[Suffixes]", "Back Left = " + std::string(2 << 20, 'b') + "Side Left = s", "Side Right = r"}),
         "1111 4='" + std::string((1 << 20) - 12, 'b') + "' 10='r' default -1"},
    };
    std::vector<std::pair<std::string, std::string>> rows(std::begin(cases), std::end(cases));
    // Numbers read like atoi, but wrap modulo 2^32.
    for (const auto& [value, nRead] : std::initializer_list<std::pair<const char*, int>>{
             {"42", 42}, {"  -17x", -17}, {"+8", 8}, {"\t\v7", 7}, {"- 5", 0}, {"abc", 0}, {"2147483648", INT_MIN},
             {"-2147483648", INT_MIN}, {"4294967295", -1}, {"4294967296", 0}, {"99999999999", 1215752191}})
        rows.emplace_back(Lines({"[Configurations]", std::string("default configuration = ") + value}),
                          "1111 default " + std::to_string(nRead));
    for (const auto& [bytes, summary] : rows) {
        CSettings settings;
        settings.m_bAutoPadding = settings.m_bAutoLoading = settings.m_bAutoExport = settings.m_bNoExtensible = true;
        LoadInto(settings, bytes);
        EXPECT_EQ(Summary(settings), summary) << bytes;
    }
}

// A device may never end (/dev/zero): it is refused before anything is
// read, like a file that cannot be opened; /dev/null shows it without a
// wait. (A pipe reads: plexora-merge's tests.)
TEST(LoadSettingsTest, ADeviceIsRefused)
{
    CSettings settings;
    EXPECT_FALSE(settings.LoadSettings("/dev/null"));
    EXPECT_EQ(Summary(settings), "0000 default -1");
}

// The built-in configurations are appended before the default index is
// checked against the list. An empty file and a default past the list's end
// are the scenarios' unusable-empty and unusable-default.
TEST(RepairConfigurationsTest, AnEmptyListGetsTheBuiltInsAndADefaultOutsideTheListBecomes0)
{
    const std::string kBuiltIns = " 'stereo'=3 'quadriphony'=51 'surround'=263 'surround 5.1'=63 'surround 7.1'=255";
    const std::pair<std::string, std::string> cases[] = {
        {ConfigurationsSection("0", "3"), "0000 default 3" + kBuiltIns},
        {ConfigurationsSection("2", "-5"), "0000 default 0 'a'=3 'b'=4294967295"},
        {ConfigurationsSection("2", "1"), "0000 default 1 'a'=3 'b'=4294967295"},
    };
    for (const auto& [bytes, summary] : cases) {
        CSettings settings;
        LoadInto(settings, bytes);
        settings.RepairConfigurations();
        EXPECT_EQ(Summary(settings), summary) << bytes;
    }
}

// Values untrimmed, masks in unsigned decimal, more than 65 535
// configurations; a line break that reaches a value is written as a blank,
// so that every value keeps its one line.
TEST(SaveSettingsTest, AwkwardValuesAndMoreThan65535ConfigurationsReadBack)
{
    CSettings settings;
    settings.m_bAutoLoading = settings.m_bNoExtensible = true;
    const std::pair<const char*, const char*> suffixes[] = {  // as set, as read back
        {"", ""}, {"  padded  ", "  padded  "}, {"a = b", "a = b"}, {"=", "="}, {" ", " "},
        {"x\ty", "x\ty"}, {"_L", "_L"}, {"%s%d", "%s%d"}, {"L\r\nx", "L  x"}, {"\n", " "}};
    decltype(settings.m_strSuffixes) readSuffixes;
    for (size_t i = 0; i < readSuffixes.size(); ++i) {
        const CString strLong = std::string(1000, 's') + std::to_string(i);
        settings.m_strSuffixes[i] = i < std::size(suffixes) ? CString(suffixes[i].first) : strLong;
        readSuffixes[i] = i < std::size(suffixes) ? CString(suffixes[i].second) : strLong;
    }
    Configurations configurations = {{"", 0}, {" lead", 0x80000000}, {"trail ", 0xFFFFFFFF},
                                     {"with = sign", 0xFFFC0003}, {std::string(600, 'n'), 0x3FFFF},
                                     {"two\nlines\r", 5}};
    while (configurations.size() < 70000)
        configurations.emplace_back('c' + std::to_string(configurations.size()),
                                    static_cast<DWORD>(configurations.size()) * 65537u);
    for (const auto& [name, mask] : configurations)
        settings.AddConfiguration(CString(name), mask);
    settings.m_nDefaultConfiguration = 69999;

    TempDir dir;
    ASSERT_TRUE(settings.SaveSettings((dir / "settings.pxr").c_str()));
    const std::string bytes = ReadWholeFile(dir / "settings.pxr");
    EXPECT_NE(bytes.find("\r\nchannel mask #1 = 2147483648\r\nconfiguration #2 = trail \r\n"
                         "channel mask #2 = 4294967295\r\n"),
              std::string::npos);

    CSettings loaded;
    LoadInto(loaded, bytes);
    configurations[5].first = "two lines ";
    EXPECT_EQ(ConfigurationsOf(loaded), configurations);
    EXPECT_EQ(loaded.m_strSuffixes, readSuffixes);
    EXPECT_EQ(loaded.m_nDefaultConfiguration, 69999);
    EXPECT_FALSE(loaded.m_bAutoPadding || loaded.m_bAutoExport);
    EXPECT_TRUE(loaded.m_bAutoLoading && loaded.m_bNoExtensible);
}

}  // namespace
