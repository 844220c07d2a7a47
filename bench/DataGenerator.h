#pragma once

#include <QDate>
#include <QString>

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
void generateDatabase(const QString &path, const Edition &edition, const GeneratedSize &size, QDate lastDay,
                      quint32 seed = 20261209);
