#pragma once

#include "PageRenderer.h"
#include "PrintJobs.h"

/// Where printed jobs go. The program prints on the default printer; tests record.
class PrinterOutput
{
public:
    virtual ~PrinterOutput() = default;
    /// Prints every page of \a job. Throws ReportError when no printer takes it.
    virtual void print(const ReportJob &job, const PageProgress &progress) = 0;
};

/// The system's default printer with its default settings; no dialog is shown.
class DefaultPrinter final : public PrinterOutput
{
public:
    void print(const ReportJob &job, const PageProgress &progress) override;
};
