# The main window's tests build it in-process from the application's library.
target_link_libraries(test_app PRIVATE vgxapp)
