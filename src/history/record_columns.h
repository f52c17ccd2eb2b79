#pragma once

#include <QString>

#include "history/history_query.h"

class QSqlQuery;

namespace doxa {

struct PendingRecord;
enum class HistoryTable;

// How a record is laid out in the columns of the tables `records` and `waiting`, both ways.

// The columns of both tables after the id, in the order insertRecord() binds them; `user` is
// quoted, as PostgreSQL reserves the word.
extern const char* const RecordColumnNames;

// The record of the row `q` stands on. What is stored is read as it is; a field that cannot be
// read (a kind or outcome this program does not know, a serial number or address that is no
// number or out of range, a damaged JSON value, a time not in the stored form) is kept as the
// text stored there in StoredRecord::unreadable, never turned into a plausible value.
StoredRecord recordFromRow(const QSqlQuery& q, HistoryTable table);

// The transmitter of a row of the list of known transmitters (model, serial, last seen), its
// serial number kept as stored when it cannot be read.
KnownTransmitter transmitterFromRow(const QSqlQuery& q);

// Binds `pending` to the prepared INSERT into `table` in `q` (a waiting record with its
// destination last) and runs it.
bool insertRecord(QSqlQuery& q, const PendingRecord& pending, HistoryTable table);

}  // namespace doxa
