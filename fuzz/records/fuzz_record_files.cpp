// Arbitrary bytes as E1 and E2 declaration files: the record readers, the
// index line and the JSON dump must never read out of bounds or crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "records/cp1253.h"
#include "records/declarations_index.h"
#include "records/e1_record.h"
#include "records/e2_record.h"
#include "records/record_json.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kestrana;
    // Small inputs are spread over a whole record so the fields see them.
    std::vector<uint8_t> bytes(data, data + size);
    if (!bytes.empty() && bytes.size() < 7620) {
        std::vector<uint8_t> spread(7620);
        for (size_t i = 0; i < spread.size(); ++i) spread[i] = bytes[i % bytes.size()];
        bytes.swap(spread);
    }
    E1Record e1;
    if (e1.FromBytes(bytes)) {
        (void)RecordToJson(DeclarationKind::E1, bytes);
        (void)IndexLine(e1.Data());
        for (const auto& f : E1Fields())
            if (f.kind == FieldKind::String) (void)e1.GetText(f);
        (void)e1.UsedCodes();
    }
    E2Record e2;
    if (e2.FromBytes(bytes)) (void)RecordToJson(DeclarationKind::E2, bytes);
    // Bytes of the files convert to text and back unchanged.
    std::string_view raw(reinterpret_cast<const char*>(data), size);
    if (Utf8ToCp1253(Cp1253ToUtf8(raw)) != raw) std::abort();
    (void)Utf8ToCp1253(raw);  // and any bytes taken as UTF-8 convert
    return 0;
}
