#pragma once

#include "CompanyRecord.h"
#include "data/DataContext.h"

/// The data slice plus the company record the program holds in memory: what the
/// company windows and the document logic read the company's settings from.
class CompanyContext : public DataContext
{
public:
    using DataContext::DataContext;

    CompanyRecord company;

protected:
    ~CompanyContext() = default;
};
