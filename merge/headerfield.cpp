#include "merge/headerfield.h"

#include "merge/littleendian.h"

namespace {

struct Field {
    ULONGLONG nOffset;  // in the chunk's contents
    const char* pszName;
};

// The fields of the chunks a header holds, in order; a byte belongs to the
// last field that starts at or before it.
constexpr Field kFormatFields[] = {{0, "format tag"},      {2, "channels"},       {4, "sample rate"},
                                   {8, "byte rate"},       {12, "block align"},   {14, "bits per sample"},
                                   {16, "extension size"}, {18, "valid bits"},    {20, "channel mask"},
                                   {24, "SubFormat"}};
constexpr Field kDs64Fields[] = {{0, "RIFF size"}, {8, "data size"}, {16, "frame count"}, {24, "table length"}};
constexpr Field kFactFields[] = {{0, "frame count"}};

template <size_t N>
const char* FieldAt(const Field (&fields)[N], ULONGLONG nOffset)
{
    const char* pszName = fields[0].pszName;
    for (const Field& field : fields) {
        if (field.nOffset <= nOffset)
            pszName = field.pszName;
    }
    return pszName;
}

}  // namespace

std::string NameHeaderField(std::span<const BYTE> header, ULONGLONG nOffset)
{
    if (nOffset < 4)
        return "the RIFF tag";
    if (nOffset < 8)
        return "the RIFF size";
    if (nOffset < 12)
        return "the WAVE form type";
    ULONGLONG nChunk = 12;
    while (nChunk + 8 <= header.size()) {
        const std::string id(reinterpret_cast<const char*>(header.data() + nChunk), 4);
        const ULONGLONG nSize = Le32(header.data() + nChunk + 4);
        const std::string chunk = "the \"" + id + "\" chunk";
        if (nOffset < nChunk + 4)
            return chunk + "'s id";
        if (nOffset < nChunk + 8)
            return chunk + "'s size";
        if (nOffset < nChunk + 8 + nSize) {
            const ULONGLONG nIn = nOffset - nChunk - 8;
            if (id == "fmt ")
                return chunk + "'s " + FieldAt(kFormatFields, nIn);
            if (id == "ds64")
                return chunk + "'s " + FieldAt(kDs64Fields, nIn);
            if (id == "fact")
                return chunk + "'s " + FieldAt(kFactFields, nIn);
            return "byte " + std::to_string(nIn) + " of " + chunk;
        }
        nChunk += 8 + nSize + nSize % 2;
    }
    return "byte " + std::to_string(nOffset);
}
