#include "editor/edit_command.h"

EditCommand::EditCommand(const QString &text, std::function<void()> redo, std::function<void()> undo)
    : QUndoCommand(text)
    , m_redo(std::move(redo))
    , m_undo(std::move(undo))
{
}

void EditCommand::redo()
{
    if (m_done)
        m_done = false;
    else
        m_redo();
}

void EditCommand::undo()
{
    m_undo();
}
