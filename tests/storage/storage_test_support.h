#pragma once

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace vorlo::test {

// The 24 fields of "couleurs", written out in full.
inline const QStringList kAppearanceFields = {
    "fond_ref",          "fond_soluce",       "fond_lettres",      "fond_propal",
    "police_ref",        "police_soluce",     "police_lettres",    "police_propal",
    "font_name_ref",     "font_size_ref",     "font_bold_ref",     "font_italic_ref",
    "font_name_soluce",  "font_size_soluce",  "font_bold_soluce",  "font_italic_soluce",
    "font_name_lettres", "font_size_lettres", "font_bold_lettres", "font_italic_lettres",
    "font_name_propal",  "font_size_propal",  "font_bold_propal",  "font_italic_propal",
};

inline QByteArray file_bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArrayLiteral("<unreadable>");
}

inline void write_file(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Names of the entries of a folder, to see that nothing was left beside a file.
inline QStringList folder_entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                  QDir::Name);
}

// A connection of its own to a database file, beside the one under test, to prepare a file
// and to look at what it holds.
class RawConnection {
  public:
    explicit RawConnection(const QString& path)
        : name_(QStringLiteral("raw_") + QString::number(++counter())) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        open_ = db.open();
    }
    ~RawConnection() {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool is_open() const { return open_; }
    QString last_error() const { return last_error_; }

    bool exec(const QString& sql) { return run(sql).isActive(); }

    // Each of the statements of `sql`, separated by "; ", until one fails.
    bool exec_all(const QString& sql) {
        const QStringList statements = sql.split(QStringLiteral("; "), Qt::SkipEmptyParts);
        return std::all_of(statements.begin(), statements.end(),
                           [this](const QString& statement) { return exec(statement); });
    }

    // The first column of the first row, or a marker that no expected value can equal.
    QVariant value(const QString& sql) {
        QSqlQuery query = run(sql);
        return query.next() ? query.value(0) : QStringLiteral("<no value: %1>").arg(sql);
    }

    // Every value of every row, as text with its storage class, to compare two states.
    QStringList rows(const QString& table) {
        QSqlQuery query =
            run(QStringLiteral("SELECT rowid, * FROM \"%1\" ORDER BY rowid").arg(table));
        QStringList rows;
        while (query.next()) {
            QStringList fields;
            for (int i = 0; i < query.record().count(); ++i) {
                const QVariant v = query.value(i);
                fields << (v.isNull() ? QStringLiteral("NULL")
                                      : QStringLiteral("%1:%2").arg(v.typeName(), v.toString()));
            }
            rows << fields.join(QLatin1Char('|'));
        }
        return query.isActive() ? rows : QStringList{"<failed: " + last_error_ + '>'};
    }

  private:
    QSqlQuery run(const QString& sql) {
        QSqlQuery query(QSqlDatabase::database(name_, false));
        if (!query.exec(sql)) {
            last_error_ = query.lastError().text();
        }
        return query;
    }
    static int& counter() {
        static int count = 0;
        return count;
    }
    QString name_;
    bool open_ = false;
    QString last_error_;
};

}  // namespace vorlo::test
