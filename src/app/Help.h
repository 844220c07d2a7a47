#pragma once

class Edition;
class Prompts;

namespace Help {

/// Opens the edition's help file with the program the system uses for it; tells
/// the user when it cannot.
void pOpenHelp(const Edition &edition, Prompts &prompts);

} // namespace Help
