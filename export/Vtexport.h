#pragma once

// The export module: the lists that one preview, build or web export fills
// and reads, the bank lists step, and the bank file's writer and reader.
#include "export/BankFile.h"
#include "export/BankLists.h"
#include "export/BankReader.h"
#include "export/ExportLists.h"
