#pragma once

#include "data/OfficeServer.h"

class DataContext;

/// Moving the company from this computer's file onto an office server.
namespace CompanyToServer {

/// Copies the company file onto the empty database \a server names (asking for the
/// password when the server wants one), then offers to work on the server from now
/// on. Failures, a database that is not empty among them, are shown to the user.
/// True when the company is on the server and the program works there now.
bool pCopyCompanyToServer(DataContext &context, OfficeServer::Settings server);

} // namespace CompanyToServer
