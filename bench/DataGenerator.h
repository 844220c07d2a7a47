#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class Edition;

/// Sizes of a generated database.
struct GeneratedSize
{
    int documents = 100000;
    int linesPerDocument = 10; // on average
    int customers = 10000;
    int priceItems = 5000;
    int years = 10;
};

/// Builds a database of realistic size for \a edition at \a path: the seed rows,
/// then customers, price items, documents with lines and the postings of the paid
/// invoices and credits among them, spread over the years up to \a lastDay. The same
/// seed always gives the same file.
/// Points the data folder at the benchmark database of the size the arguments ask
/// for (--documents N, default 100,000; --documents 1000000 for the large set) and
/// generates it when it is missing or --regenerate is given. Returns its path.
QString prepareBenchDatabase(const Edition &edition, const QStringList &arguments);

void generateDatabase(const QString &path, const Edition &edition, const GeneratedSize &size, QDate lastDay,
                      quint32 seed = 20261209);

/// Rewrites the file at \a path as the previous release left it: dates and totals
/// in the British forms, no level, no indexes, none of the later tables and columns.
void makeOlderRelease(const QString &path);
