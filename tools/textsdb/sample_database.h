#pragma once
// A database with what years of editing in Access leave behind, for looking at with the dump
// and with mdb-export: columns deleted and added while rows were being written (gaps in the
// column numbers, more variable columns counted than listed, rows shorter than the
// definition, rows from before the first variable column), Decimal columns, and tables
// linked to another database and to an ODBC data source. Every stored table reads the same
// through mdb-export and through our reader.

#include "jet_writer.h"

#include <vector>

namespace qrv::textsdb {

struct SampleDatabase {
    std::vector<TableContent> tables;
    std::vector<LinkedTable> linkedTables;
};

SampleDatabase EditedSample();

} // namespace qrv::textsdb
