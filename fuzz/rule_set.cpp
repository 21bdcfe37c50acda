// Any bytes as a rule set. Checks that reading never crashes, that what it reads
// keeps every text within its field's limit and is written and read back unchanged,
// and that putting it into the start-up options never crashes either.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "naming/utf8.h"
#include "settings/rule_set.h"

namespace {

void Require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const std::string& text : {bytes, std::string(kRuleSetHeader) + "\n" + bytes}) {
        const std::optional<RenameOptions> read = ReadRuleSet(text);
        if (!read) continue;
        Require(CountCodePoints(read->m_strNewPrefix) <= size_t(kMaxNameText), "prefix within its limit");
        Require(CountCodePoints(read->m_strStartCount) <= size_t(kMaxStartCount), "start count within its limit");
        const std::string saved = FormatRuleSet(*read);
        const std::optional<RenameOptions> again = ReadRuleSet(saved);
        Require(again && FormatRuleSet(*again) == saved, "round trip");
        WithRuleSet(RenameOptions(), *read);
    }
    return 0;
}
