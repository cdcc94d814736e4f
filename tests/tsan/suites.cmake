# The race detector's suites: the tests that drive our code with threads of its own, each with its
# folder's fixtures, labelled "race". The other tests run on the GUI thread alone, where no race can be.
#   audiolib     every test: each one runs the engine's decoder, output and sync threads
#   playout      the engine's users: the audio layer and player slots, the channel's playback with its
#                next-entry opener, the queue, line-in, effects on playing streams (DSP callbacks), the
#                CUE player, the threaded timer, the length read while decoding
#   platform     the DDE server, the SNTP client, messages posted from other threads
#   platform_gui the emergency key's grab, read on a thread of its own
#   library      the file search worker, the folder loader (through the folders window)
set(race_playout AudioLayerTest CUEPlaybackTest ChannelLineInTest ChannelPlaybackTest ChannelQueueTest
                 EffectsChannelTest EffectsWindowTest LengthAgreementTest NextEntryOpenerTest PlayerSlotTest
                 ThreadedTimerTest)
set(race_platform DdeServerTest MessagesTest SntpClientTest)
set(race_platform_gui KeyboardHookTest)
set(race_library FileScanTest FoldersTest SearchFilesTest)

foreach(folder IN ITEMS audiolib playout platform platform_gui library)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h)
  if(DEFINED race_${folder})
    list(FILTER sources EXCLUDE REGEX "Test\\.cpp$")
    foreach(test IN LISTS race_${folder})
      list(APPEND sources ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/${test}.cpp)
    endforeach()
  endif()
  sz_add_tests(${folder}_race race SOURCES ${sources} LIBRARIES ${folder})
  list(APPEND suites ${folder}_race)
endforeach()
add_custom_target(race_suites DEPENDS ${suites})
