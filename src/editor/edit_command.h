#pragma once

#include <QUndoCommand>

#include <functional>

/// One undoable step of the editor: a pair of actions. The step has already been
/// done when it is pushed, so its first redo does nothing.
class EditCommand : public QUndoCommand
{
public:
    EditCommand(const QString &text, std::function<void()> redo, std::function<void()> undo);

    void redo() override;
    void undo() override;

private:
    std::function<void()> m_redo;
    std::function<void()> m_undo;
    bool m_done = true;
};
