#pragma once

#include "ReportsChange.h"
#include "core/ListUse.h"

#include <QDialog>
#include <functional>

class DataContext;
class QAction;
class QToolBar;

/// A window that lists stored records, searches them and edits one at a time: its
/// command bar, which commands a list or an open record allows, the question about
/// unsaved changes on cancel and close, and storing or deleting with the saving
/// popup. The window itself lays out its list and fields and says what a record is.
class RecordListWindow : public QDialog, public ReportsChange
{
    Q_OBJECT
public:
    /// Every way of closing ends here: asks about unsaved changes first.
    void reject() override;

protected:
    /// The captions and hints of the command bar that differ from window to window.
    struct CommandTexts
    {
        QString barName;
        QString newName;
        QString newCaption;
        QString newHint;
        QString saveHint;
        QString cancelHint;
        QString deleteHint;
        QString printPreviewHint;
        QString printHint;
        QString importHint;
        QString exportHint;
        QString helpHint;
    };

    /// \a saveQuestion is asked when an edited record would be left unsaved.
    RecordListWindow(DataContext &context, ListUse use, QString saveQuestion, QWidget *parent);

    void done(int result) override;

    [[nodiscard]] QToolBar *createCommands(const CommandTexts &texts);

    /// Shows the list: a record may be opened, added, imported or exported.
    void enableListCommands();
    /// Shows an open record; only a stored one (\a stored) may be deleted.
    void enableEditCommands(bool stored);
    /// Printing is for a non-empty list that is not being picked from.
    void enablePrint(bool listing, int rows);

    /// Leaves the open record, asking first when it has unsaved changes; false
    /// when it stays open (the user cancelled or saving failed).
    virtual bool cancelEditing();
    /// Stores through \a store behind the saving popup and returns to the list;
    /// false (with the error shown) when it could not be stored, or when \a store
    /// gives false (the user chose to keep editing, or took another copy's version).
    bool storeRecord(const QString &savingText, const std::function<bool()> &store);
    /// Asks \a question (No preferred); on Yes removes record \a id, when it has
    /// one, through \a remove behind the saving popup and returns to the list.
    void deleteRecord(const QString &question, const QString &savingText, qint64 id,
                      const std::function<void(qint64)> &remove);

    [[nodiscard]] bool pickMode() const { return m_use == ListUse::PickForDocument; }
    /// Runs \a work on the database; false, with the error shown, when it failed.
    bool attempt(const std::function<void()> &work);

    virtual void newRecord() = 0;
    /// True when the record was stored.
    virtual bool saveRecord() = 0;
    virtual void deleteCurrent() = 0;
    virtual void returnToList() = 0;
    virtual void printList(bool preview) = 0;
    virtual void importRecords() = 0;
    virtual void exportRecords() = 0;

    QAction *m_actClose = nullptr;
    QAction *m_actNew = nullptr;
    QAction *m_actSave = nullptr;
    QAction *m_actCancel = nullptr;
    QAction *m_actDelete = nullptr;
    QAction *m_actPrintPreview = nullptr;
    QAction *m_actPrint = nullptr;
    QAction *m_actImport = nullptr;
    QAction *m_actExport = nullptr;
    QAction *m_actHelp = nullptr;

private:
    enum class Unsaved { Saved, Discarded, Kept };
    /// Settles unsaved changes: nothing to settle counts as discarded.
    Unsaved settleUnsaved();

    DataContext &m_data;
    const ListUse m_use;
    const QString m_saveQuestion;
};
