#include "data/schema.h"

#include <QFile>

namespace kelvane::schema {

namespace {
QString createTable(const QString &table, const QStringList &fields) {
    QStringList columns{quoted(OrderKey) + QStringLiteral(" INTEGER PRIMARY KEY")};
    for (const QString &field : fields)
        columns << quoted(field) + QStringLiteral(" TEXT NOT NULL DEFAULT ''");
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(quoted(table), columns.join(QStringLiteral(", ")));
}

QString createIndex(const QString &table, const QString &field) {
    return QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
        .arg(quoted(table + QLatin1Char('_') + field), quoted(table), quoted(field));
}

QString literal(const QString &text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

// The eighty statements ship as a resource: "number<TAB>statement" per line.
QStringList statementInserts() {
    QFile file(QStringLiteral(":/kelvane/statements.tsv"));
    QStringList inserts;
    if (!file.open(QIODevice::ReadOnly))
        return inserts;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab <= 0)
            continue;
        inserts << QStringLiteral("INSERT INTO \"QUS\" (\"ID\", \"QU\") VALUES (%1, %2)")
                       .arg(literal(line.left(tab).trimmed()),
                            literal(line.mid(tab + 1).trimmed()));
    }
    return inserts;
}
} // namespace

QString quoted(const QString &identifier) {
    QString escaped = identifier;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QStringList scoreFields() {
    return {QStringLiteral("zabani"),   QStringLiteral("manteghi"),  QStringLiteral("fazaee"),
            QStringLiteral("badani"),   QStringLiteral("meynfardi"), QStringLiteral("daronfardi"),
            QStringLiteral("mouzical"), QStringLiteral("tabeatgara")};
}

QStringList ideFields() {
    QStringList fields{QStringLiteral("Code"), QStringLiteral("FName"),  QStringLiteral("LName"),
                       QStringLiteral("Sen"),  QStringLiteral("Tahsil"), QStringLiteral("Date"),
                       QStringLiteral("Time"), QStringLiteral("Taahol"), QStringLiteral("Jens"),
                       QStringLiteral("Group")};
    return fields + scoreFields();
}

QStringList answerFields() {
    QStringList fields{QStringLiteral("Code")};
    for (int n = 1; n <= 80; ++n)
        fields << QString::number(n);
    return fields;
}

QStringList qusFields() {
    return {QStringLiteral("ID"), QStringLiteral("QU")};
}

QStringList themeFields() {
    return {QStringLiteral("Name"), QStringLiteral("Adress"), QStringLiteral("T1"),
            QStringLiteral("T2"),   QStringLiteral("T3"),     QStringLiteral("T4"),
            QStringLiteral("T5"),   QStringLiteral("T6"),     QStringLiteral("Check1")};
}

QString fileName(FileKind kind) {
    return kind == FileKind::Main ? QStringLiteral("DBKelvane.mdb") : QStringLiteral("Theme.skn");
}

QStringList tables(FileKind kind) {
    if (kind == FileKind::Main)
        return {QStringLiteral("IDE"), QStringLiteral("Answer"), QStringLiteral("QUS")};
    return {QStringLiteral("Theme")};
}

QStringList createStatements(FileKind kind) {
    QStringList statements{QStringLiteral("PRAGMA application_id = %1").arg(ApplicationId),
                           QStringLiteral("PRAGMA user_version = %1").arg(Version)};
    if (kind == FileKind::Main) {
        const QString ide = QStringLiteral("IDE"), answer = QStringLiteral("Answer");
        statements << createTable(ide, ideFields()) << createTable(answer, answerFields())
                   << createTable(QStringLiteral("QUS"), qusFields())
                   << createIndex(ide, QStringLiteral("Code"))
                   << createIndex(ide, QStringLiteral("FName"))
                   << createIndex(ide, QStringLiteral("LName"))
                   << createIndex(ide, QStringLiteral("Group"))
                   << createIndex(answer, QStringLiteral("Code"))
                   << createIndex(QStringLiteral("QUS"), QStringLiteral("ID"));
        statements << statementInserts();
    } else {
        statements << createTable(QStringLiteral("Theme"), themeFields())
                   << QStringLiteral("INSERT INTO \"Theme\" (\"Check1\") VALUES ('0')");
    }
    return statements;
}

} // namespace kelvane::schema
