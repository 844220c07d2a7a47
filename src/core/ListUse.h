#pragma once

/// What a list window is opened for: keeping its list, or picking from it for the
/// document being edited (then it adds to the document instead of printing).
enum class ListUse { Maintain, PickForDocument };
