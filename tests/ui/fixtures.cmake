# The command panel's tests run it inside the host's SCPI terminal, a part of the application.
target_link_libraries(test_ui PRIVATE vgxapp)
