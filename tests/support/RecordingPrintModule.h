#pragma once

#include "app/AppContext.h"
#include "printing/PrintModule.h"

#include <QList>
#include <QStringList>
#include <functional>

/// A PrintModule for tests: records what was asked, with the print kind at the
/// time, and succeeds or fails as planned.
class RecordingPrintModule final : public PrintModule
{
public:
    explicit RecordingPrintModule(AppContext &context)
        : m_context(context)
    {
        context.printModule = this;
    }
    ~RecordingPrintModule() override { m_context.printModule = nullptr; }

    bool succeeds = true;
    QStringList calls; // "print 1", "preview 5", "pdf 1 <file>"
    /// The current document's number at each call.
    QList<int> documentNumbers;
    /// Runs while a print job is being sent.
    std::function<void()> whilePrinting;

    bool pPrint() override
    {
        calls << QStringLiteral("print %1").arg(m_context.printKind);
        documentNumbers << m_context.document.header.intInvNumber;
        if (whilePrinting)
            whilePrinting();
        return succeeds;
    }
    void pPrintPreview() override { calls << QStringLiteral("preview %1").arg(m_context.printKind); }
    bool pCreatePDFFile(const QString &fileName) override
    {
        calls << QStringLiteral("pdf %1 %2").arg(m_context.printKind).arg(fileName);
        return succeeds;
    }
    bool pSaveAsPDF() override
    {
        calls << QStringLiteral("pdf %1").arg(m_context.printKind);
        return succeeds;
    }

private:
    AppContext &m_context;
};
