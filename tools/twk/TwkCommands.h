#pragma once

#include <iosfwd>
#include <span>
#include <string>

// The commands of twk.  Each takes the arguments after its name and returns the exit status:
// 0 on success, 1 when the command found errors or failed, 2 for a bad command line.

// `eval FORMULA [--u X] [--v Y] [--t T]`: compiles one formula, evaluates it and prints the
// value with 20 significant digits, "eval error", "syntax error CODE at POS" or the message
// of a floating-point exception.
int TwkEval(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// `list FILE`: one line per graph: number, name, kind, coordinate system, function texts.
int TwkList(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// `dump FILE`: every chunk as graph set text (see GraphText.h).
int TwkDump(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// `build TEXT -o FILE`: graph set text ("-" for standard input) into a graph set file.
int TwkBuild(std::span<const std::string> args, std::istream& in, std::ostream& err);

// `check FILE`: compiles every text of every graph and reports each error as
// `graph 2 "Waves": Func3Text: syntax error 10001 at 4`; 1 when any was found.
int TwkCheck(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// `render FILE [--graph N] [--frame K | --frames | --gif] [--size WxH] -o OUT`: what the
// saver shows for a frame (a surface with its 4-pixel frame, a curve over the whole image), as
// PNG; --frames writes the whole cycle as OUT-001.png, OUT-002.png, ...; --gif writes the
// cycle as one animated GIF at the graph's frame rate, looping for ever (GIFEncoder.h).
int TwkRender(std::span<const std::string> args, std::ostream& out, std::ostream& err);
