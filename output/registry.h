#pragma once

// The outputs of the run, in one table that two readers share: the rule
// that no output is standard output, standard error or another output under
// another name, and the handler that abandons the outputs not yet complete
// when the program ends early. Each entry is changed only while the signals
// that end the program are held (output/ending_signals.h), so that the
// handler finds every entry whole.
//
// An output is written beside its file and renamed over it when complete,
// or in place where renaming would change what the user relies on
// (output/replacement.h). The entries of outputs already closed stay, for
// the rule.

namespace xsin {

// Whether the file that name leads to is standard output or standard error,
// or an earlier output of the run under another name (a hard or symbolic
// link), reported as "<program>: standard output is <file>" or "<program>:
// <file> is <earlier file>": writing it would mix what the run writes in
// one file. Only files where writes mix are compared, regular files and
// FIFOs: any number of outputs may go to /dev/null or another device.
bool anotherOutput(const char* name);

// Opens name for writing, beside or in place: its place in the table, or -1
// with errno set when it cannot be opened. A file under another process's
// lease is waited for (output/descriptor.h), with the ending signals let
// through meanwhile.
int openOutput(const char* name);

// The descriptor an open output is written through.
int outputDescriptor(int output);

// Closes an output: when it was written whole, its temporary replaces its
// file; otherwise the temporary is removed and the file left as it was (a
// file written in place ends where its writing stopped). 0, or the errno of
// what failed on the way (an EINTR or EIO from close among them).
int closeOutput(int output, bool whole);

// For every output not complete: a temporary is removed, and the file it
// would have replaced left as it was; a regular file written in place is
// emptied through its descriptor, so that none of its names keeps a part of
// a table that would look whole, and its name removed where that name is
// not a symbolic link and still names it; a FIFO or a device is left alone.
// Async-signal-safe, for a caller that holds the ending signals; each
// output is abandoned once.
void abandonOutputs();

// Says on standard error, once for each output abandoned, what became of
// it: "<program>: <why>discarded unfinished <file>" (", kept the previous
// one" when one was there), "<program>: <why>removed partial <file>" or
// "<program>: <why>emptied partial <file>". Async-signal-safe; writing may
// block, so the ending signals are better let through first.
void reportAbandonedOutputs(const char* why);

// Abandons the outputs not complete and then says so, the ending signals
// held meanwhile: for a program that ends early on its own (out of memory,
// an exception).
void abandonOutputsAndReport(const char* why);

}  // namespace xsin
