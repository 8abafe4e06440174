/*
 * The command line that has the command interpreter run a batch file with
 * arguments, each of them as data: the batch file gets each whole through
 * %*, %1 and "%~1", and nothing in a document's name runs or expands.
 */
#ifndef RUNVO_BATCH_H
#define RUNVO_BATCH_H

#include "launch/text.h"

/* The command line that has the command interpreter run the batch file at
   its full path with the arguments of a command line (args), each as data:
   quoted unless it is only ASCII letters, digits and #$*+-./:?@\_, so that
   the batch file gets it whole through %*, %1 and "%~1", and with every %
   written so that no variable can be formed. The interpreter runs no
   AutoRun command, expands no !NAME! and has its extensions, which that
   needs. False when it does not fit (out is then truncated) or an argument
   holds a line break, which would end the interpreter's command, or a
   quote, which the interpreter and the programs it starts read
   differently. argument: room for one argument read back
   (COMMAND_LINE_SIZE characters). */
bool BatchCommand(TextBuf *out, const wchar_t *batch, const wchar_t *args, wchar_t *argument);

#endif /* RUNVO_BATCH_H */
