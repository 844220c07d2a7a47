#pragma once

class DocumentContext;
class RowConflict;

/// What a save does when it meets a document another copy of the program changed
/// or deleted meanwhile (and could not combine): it asks, then takes theirs,
/// overwrites theirs after naming what would be lost, or keeps this copy's version
/// as a new document. The last only for estimates, work orders and change orders: a
/// copied invoice would bill and post twice. Never throws; errors are shown.
namespace SaveConflict {

enum class Outcome {
    /// This copy's version is stored (over theirs, again, or as a new document).
    Saved,
    /// The current document is now the stored one; this copy's edits are dropped.
    TookTheirs,
    /// Nothing changed: the document stays as typed and unsaved.
    KeptEditing,
};

[[nodiscard]] Outcome resolve(DocumentContext &context, const RowConflict &conflict);

} // namespace SaveConflict
