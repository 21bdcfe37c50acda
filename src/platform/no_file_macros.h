// <windows.h> turns MoveFile and DeleteFile into macros (MoveFileW, DeleteFileW). Were
// they left in force, the file services' members would be named differently in files
// that include it first, and calls that the compiler binds directly would not link. So
// each header that declares those members includes this one right before them; it has
// no include guard on purpose, since <windows.h> may have come in between.
#ifdef MoveFile
#undef MoveFile
#endif
#ifdef DeleteFile
#undef DeleteFile
#endif
