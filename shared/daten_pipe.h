#pragma once

#include <QString>
#include <QStringList>

// Pipe records: "|field 1|field 2|...|". Fields are numbered from 1.
//
// DatenPipe works on a copy of the record:
//  - newValue empty: returns field n;
//  - newValue "!": returns field n without leading and trailing blanks;
//  - otherwise: returns the whole record with field n replaced, framed by "|".
// n below 1 or beyond the last field gives an empty text.
QString DatenPipe(int n, const QString& record, const QString& newValue = QString());

// The fields of a record (first and last character removed, split at every "|").
QStringList pipeFields(const QString& record);
// The record without its first and last character: its fields with the "|" between them.
QStringView pipeInside(const QString& record);

// Builds "|a|b|c|" from fields.
QString pipeRecord(const QStringList& fields);
