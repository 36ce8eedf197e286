-- Builds the session that the GUI check opens in Ardour: one stereo track with Kelvora inserted
-- first, made on the dummy backend that Ardour's GUI will use, so that Ardour finds the engine it
-- last ran on and asks nothing when the session opens.
-- Arguments: session folder, session name, sample rate, optionally the plug-in's format and
-- identifier ("VST3 Kelvora" when left out; "LV2 <URI>").
io.stdout:setvbuf("no")
local folder, name, rate = arg[1], arg[2], tonumber(arg[3])
local format, identifier = arg[4] or "VST3", arg[5] or "Kelvora"

assert(AudioEngine:set_backend("None (Dummy)", "", ""), "no dummy audio engine")
local session = create_session(folder, name, rate)
assert(session, "cannot create the session in " .. folder)
assert(session:nominal_sample_rate() == rate, "engine runs at " .. session:nominal_sample_rate())

local tracks = session:new_audio_track(2, 2, nil, 1, "Saturated", ARDOUR.PresentationInfo.max_order,
  ARDOUR.TrackMode.Normal, true, false)
assert(tracks:size() == 1, "no stereo track")
local track = tracks:front()
-- The check finds the plug-in's entry in the mixer strip by the reddish colour Ardour gives a
-- pre-fader plug-in; a grey track keeps that colour to the entry alone.
track:presentation_info_ptr():set_color(0x707070ff)

local processor = ARDOUR.LuaAPI.new_plugin(session, identifier, ARDOUR.PluginType[format], "")
assert(not processor:isnil(), "Ardour does not find " .. identifier .. " (" .. format .. ")")
assert(track:add_processor_by_index(processor, 0, nil, true) == 0, "cannot insert Kelvora")

session:save_state("", false, false, false, false, false)
close_session()
print("session with Kelvora on a stereo track")
