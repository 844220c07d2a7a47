#pragma once

class Edition;
class Prompts;

namespace Help {

/// Opens the edition's help file beside the program with the desktop's viewer;
/// tells the user when there is none or it cannot be opened.
void pOpenHelp(const Edition &edition, Prompts &prompts);

} // namespace Help
