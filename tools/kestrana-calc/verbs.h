#pragma once
// Verbs of kestrana-calc; each gets the arguments after the verb (argv[0] is
// the verb itself) and returns the exit status.
int DumpMain(int argc, char** argv);
int ClearMain(int argc, char** argv);
