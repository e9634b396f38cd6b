// Writes the CSV files CHIRP's own reader is given in chirp_reader_test.py: the rich demo
// memory as records, and the demo data file as lines.
//   write_chirp_samples MEMORY.txt DATAFILE.TXT RECORDS.csv LINES.csv

#include "channels/chirp_export.h"
#include "tests/support/sim_memory.h"

#include <QFile>

int main(int argc, char** argv)
{
    if (argc != 5)
        return 2;
    std::vector<talvex::MemoryRecord> records;
    for (const auto& [channel, bytes] : talvex::testing::ReadMemory(QString::fromLocal8Bit(argv[1]))) {
        if (!bytes.isEmpty())
            records.push_back(*talvex::MemoryRecord::from(bytes));
    }
    QFile dataFile(QString::fromLocal8Bit(argv[2]));
    if (!dataFile.open(QIODevice::ReadOnly))
        return 1;
    const QStringList lines = QString::fromLatin1(dataFile.readAll()).split(QStringLiteral("\r\n"));
    QFile recordsCsv(QString::fromLocal8Bit(argv[3]));
    QFile linesCsv(QString::fromLocal8Bit(argv[4]));
    if (!recordsCsv.open(QIODevice::WriteOnly) || !linesCsv.open(QIODevice::WriteOnly))
        return 1;
    recordsCsv.write(talvex::channels::ChirpCsvOfRecords(records));
    linesCsv.write(talvex::channels::ChirpCsvOfDataFile(lines));
    return recordsCsv.flush() && linesCsv.flush() ? 0 : 1;
}
