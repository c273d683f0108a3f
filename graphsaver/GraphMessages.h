#pragma once

// The texts the graph view shows the user.
inline constexpr char GraphSyntaxErrorText[] =
    "Syntax Error in function definition.  Please fix and try again.";
inline constexpr char GraphMessageCaption[] = "Quorvel Graph";
