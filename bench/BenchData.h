#pragma once

#include <QString>

class QSqlDatabase;

// The standard data set of the benchmarks, generated inside the engine.
struct BenchSizes
{
    int products = 20000;
    int families = 200;
    int suppliers = 500;
    int customers = 2000;
    int centres = 50;
    int kits = 100;
    int rows = 1000000;
    int years = 5;
};

// Fills an installed (empty) database. Throws DbError.
void fillBenchData(QSqlDatabase &db, const BenchSizes &sizes);
