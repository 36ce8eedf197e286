-- Renders the prepared session (make-session.lua) through Kelvora in Ardour: loads it, puts
-- the plug-in first on the track, sets its controls in their own units, and exports the
-- master bus as 32-bit float WAV.
-- Arguments: session folder, session name, export preset id, output folder, output name,
-- frames to export, then settings: "Control=value" or "host-bypass".
io.stdout:setvbuf("no")
local folder, name, preset, outFolder, outName, frames = arg[1], arg[2], arg[3], arg[4], arg[5],
  tonumber(arg[6])

assert(AudioEngine:set_backend("None (Dummy)", "", ""), "no dummy audio engine")
local session = load_session(folder, name)
assert(session, "cannot load the session in " .. folder)
local track = session:route_by_name("Programme")
assert(not track:isnil(), "session has no programme track")

local processor = ARDOUR.LuaAPI.new_plugin(session, "Kelvora", ARDOUR.PluginType.VST3, "")
assert(not processor:isnil(), "Ardour does not find Kelvora (VST3)")
assert(track:add_processor_by_index(processor, 0, nil, true) == 0, "cannot insert Kelvora")
local insert = processor:to_insert()
local plugin = insert:plugin(0)

-- Ardour lists the host's bypass switch beside the plug-in's own controls, marked as a toggle;
-- both are called "Bypass", so a control is looked up among the others.
local function control_index(label)
  for i = 0, plugin:parameter_count() - 1 do
    if plugin:parameter_is_control(i) and plugin:parameter_is_input(i) then
      local _, descriptor = plugin:get_parameter_descriptor(i, ARDOUR.ParameterDescriptor())
      if descriptor[2].label == label and not descriptor[2].toggled then return i end
    end
  end
  error("Kelvora shows no control \"" .. label .. "\"")
end

local function host_bypass_index()
  for i = 0, plugin:parameter_count() - 1 do
    local _, descriptor = plugin:get_parameter_descriptor(i, ARDOUR.ParameterDescriptor())
    if descriptor[2].toggled then return i end
  end
  error("Kelvora offers Ardour no bypass switch")
end

for k = 7, #arg do
  local setting = arg[k]
  if setting == "host-bypass" then
    -- The mixer's bypass button: with a plug-in that has its own bypass switch Ardour keeps
    -- the plug-in running and switches that instead of taking it out of the chain.
    insert:enable(false)
    local on = ARDOUR.LuaAPI.get_processor_param(processor, host_bypass_index())
    assert(insert:active() and on == 1, "Ardour did not hand the bypass to the plug-in")
    print("host bypass on (plug-in still active, its bypass switch at " .. on .. ")")
  else
    local label, value = setting:match("^(.-)=(.+)$")
    assert(label, "bad setting " .. setting)
    local index = control_index(label)
    assert(ARDOUR.LuaAPI.set_processor_param(processor, index, tonumber(value)))
    print(string.format("%s = %s (Ardour reads back %g)", label, value,
      ARDOUR.LuaAPI.get_processor_param(processor, index)))
  end
end

local export = session:simple_export()
assert(export:set_preset(preset), "no export preset " .. preset)
export:set_folder(outFolder)
export:set_name(outName)
export:set_range(0, frames)
assert(export:check_outputs(), "nothing to export")
assert(export:run_export(), "export failed")
close_session()
print("exported " .. outName)
