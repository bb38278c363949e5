#pragma once

#include <QString>

class QSqlError;

namespace vorlo {

// What went wrong in the database engine, as a reason in French for the user ("le fichier
// est en lecture seule", "le disque est plein", ...), chosen by the engine's result code;
// never the engine's own English text.
QString engine_reason(const QSqlError& error);

}  // namespace vorlo
