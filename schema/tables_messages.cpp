// The log of SMS messages sent.

#include "table.h"
#include "table_lists.h"

namespace schema {

using namespace col;

std::vector<Table> messageTableList()
{
    return {
        // smsnr is a memo: single-byte characters never close a segment and the greeting comes
        // on top, so a segment has no fixed length.
        {"smssend",
         {key("pid"), datetime("pdate"), memo("smsnr"), text("memberno"), text("movetel"),
          integer("smsbf"), boolean("issrdx")},
         {lookupIndex({"memberno"}), lookupIndex({"pdate"})}},
    };
}

}  // namespace schema
