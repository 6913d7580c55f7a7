#include "bank/ExportLists.h"

namespace dorvel {

ExportLists& TheExportLists()
{
    static ExportLists lists;
    return lists;
}

}  // namespace dorvel
