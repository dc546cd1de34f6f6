#pragma once
// The record stencil: the result table's columns from the field definition lists, and the
// rows from the collected records cut by those definitions.

#include "core/uODS.h"
#include "records/uIBFieldDefs.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace morvane {

// An in-memory table of text columns defined at run time.
class TRecordTable {
  public:
    void AddColumn(const std::string& name) { FColumns.push_back(name); }
    void Open() { FOpen = true; }
    bool IsOpen() const { return FOpen; }
    size_t ColumnCount() const { return FColumns.size(); }
    const std::string& ColumnName(size_t i) const { return FColumns[i]; }
    void AppendRow(std::vector<std::string> values);
    size_t RowCount() const { return FRows.size(); }
    const std::string& Value(size_t row, size_t column) const { return FRows[row][column]; }

    // Iteration as a data set offers it.
    void First() { FCursor = 0; }
    void Next() { ++FCursor; }
    bool Eof() const { return FCursor >= FRows.size(); }
    const std::string& FieldAsText(size_t column) const {
        static const std::string kNone;
        return Eof() || column >= FColumns.size() ? kNone : FRows[FCursor][column];
    }

  private:
    std::vector<std::string> FColumns;
    std::vector<std::vector<std::string>> FRows;
    size_t FCursor = 0;
    bool FOpen = false;
};

class TStensil {
  public:
    explicit TStensil(std::vector<const TIBFieldDefList*> lists);
    TRecordTable& ResultTable() { return *FTable; }

    // Decodes every record but blob records and adds its row: column k holds the field at
    // position k of the definition list of the record's format; the last column, when no field
    // fills it, marks fragments, deleted records and old versions.
    void AddRecords(const std::vector<IBRec>& records);

  private:
    void BuildColumns();
    const TIBFieldDefList* ListFor(const IBRec& rec) const;

    std::vector<const TIBFieldDefList*> FLists;
    std::unique_ptr<TRecordTable> FTable;
};

// The text of one field of a decoded record, by its type code.
std::string RenderField(const std::vector<uint8_t>& record, const TIBFieldDef& def);
// Decodes a collected record's body (kinds 0 and 1); blob records give nothing.
std::vector<uint8_t> DecodeRecord(const IBRec& rec);
// The export line of a row: every value followed by ";", then CR LF.
std::string ExportLine(const TRecordTable& table, size_t row);

class TBaseFile;
// The stored records of a relation's data pages, read straight from the file, in page and
// slot order (the headless twin of the database manager's record collection).
std::vector<IBRec> ReadRelationRecords(TBaseFile& file, int32_t relation);
// Field definition lists from the relation's stored formats (automatic extraction); a
// position given twice is reported through duplicate and skipped.
class TFieldFormat;
std::vector<std::unique_ptr<TIBFieldDefList>> DefinitionsFromFormats(const TFieldFormat& formats,
                                                                     const std::function<void()>& duplicate);

} // namespace morvane
