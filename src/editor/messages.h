#pragma once

#include "editor/lesson_listing.h"
#include "editor/store_document.h"
#include "platform/sqlite_writer.h"

#include <QString>

/// What the editor tells the teacher, in Hebrew: one home for each sentence.
namespace Editor::Messages {

QString openFailed(const QString &path);
QString saveFailed(Lessons::SqliteWriter::Failure failure);
QString readOnly(ReadOnly why);
QString hidden(Hidden why);
/// «תבנית 24, שיעור 3»
QString lessonName(int pattern, int lesson);
/// A row in the editor's list: «3 Write the verb.» as the pupils' list shows it, or
/// «7/1  Heading  — why pupils never see it».
QString listEntry(const ListedRow &row);

} // namespace Editor::Messages
