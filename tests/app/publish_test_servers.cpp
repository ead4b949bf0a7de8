// The FTP test servers of the publishing tests, linked into the window tests too.
#include "../publish/ftp_test_server.cpp"
