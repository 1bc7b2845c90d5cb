{ Free Pascal's side of the stored language data.
    peer_dravik write DIR   writes into DIR
                              dravik_form.bin     a form with captioned controls and a TDravik
                                                  with three languages, property entries of
                                                  every value tag and two named strings
                              dravik_strings.lng  a TDravik of its own (a unit's named strings)
                                                  as resource TDRAVIK
    peer_dravik read FILE   reads a binary form stream and prints each TDravik in it, tab
                            separated: its languages, then per property entry its path, its
                            slot count, the live value and the stored slots (tag:value, or -
                            for an empty slot), then its named strings likewise. }
program peer_dravik;
{$mode objfpc}{$H+}
uses Classes, SysUtils, Variants, TypInfo, PeerForms, PeerTree, PeerDravik;

function Buf(const V: Variant): TBytes; begin Result := VariantToBuffer(V); end;
function NoValue: TBytes; begin Result := nil; end;

procedure Translate(Entry: TMainEntry; const Name: string; Kind: TTypeKind;
  const Stored: array of TBytes);
begin
  TLangPropertyEntry(AddProp(Entry, Name, Kind)).SetSlots(Stored);
end;

function BuildForm: TPeerRoot;
var Button: TPeerButton; Control: TPeerControl; Extras: TPeerExtras; Dravik: TDravik;
  E: TMainEntry;
begin
  Result := TPeerRoot.Create(nil);
  Result.Name := 'PeerForm'; Result.Caption := 'Language selection';
  Button := TPeerButton.Create(Result); Button.Name := 'Button1';
  Button.Caption := 'Close'; Button.Hint := 'Closes the window'; Button.Font.Name := 'Sans';
  TPeerItem(Button.Items.Add).Caption := 'first';
  Button.Lines.Add('one'); Button.Lines.Add('two');
  Control := TPeerControl.Create(Result); Control.Name := 'Control1';
  Control.I32 := 7; Control.FDoubleP := 1.5; Control.FCurrencyP := 12.3456;
  Control.FDateP := 45000.75; Control.Flag := False;
  Extras := TPeerExtras.Create(Result); Extras.Name := 'Extras'; Extras.Fill;

  Dravik := TDravik.Create(Result); Dravik.Name := 'Dravik'; Dravik.Language := 'English';
  { The list order is the display order; the slots are numbered apart from it. }
  Dravik.AddLanguage('Deutsch', 1); Dravik.AddLanguage('English', 0);
  Dravik.AddLanguage('Francais', 2);
  E := AddComponentEntry(Dravik.Comps, Button);
  Translate(E, 'Caption', tkLString, [Buf('Schlie'#$C3#$9F'en'), Buf('Fermer')]);
  { The French hint is Windows-1252 text, as older files hold it. }
  Translate(E, 'Hint', tkLString, [Buf('Schlie'#$C3#$9F't das Fenster'), Buf('Ferme la fen'#$EA'tre')]);
  Translate(AddEntry(E, 'Font', [stPubPropObject]), 'Name', tkLString, [Buf('Serif'), Buf('Mono')]);
  Translate(AddEntry(E, 'Items[0]', [stPubPropObject, stCollectionObject]), 'Caption', tkLString,
    [Buf('erste'), Buf('premier')]);
  Translate(AddEntry(E, 'Lines', [stTStringsObject]), 'Strings[1]', tkLString,
    [Buf('zwei'), Buf(WideString('deux'))]);
  E := AddComponentEntry(Dravik.Comps, Control);
  Translate(E, 'I32', tkInteger, [Buf(LongInt(8)), Buf(SmallInt(-9))]);
  Translate(E, 'FDoubleP', tkFloat, [Buf(Double(2.5)), Buf(VarAsType(0.5, varSingle))]);
  Translate(E, 'FCurrencyP', tkFloat, [Buf(Currency(65.4321)), Buf(Byte(3))]);
  Translate(E, 'FDateP', tkFloat, [Buf(TDateTime(45001.5)), Buf(Double(45002.25))]);
  Translate(E, 'Flag', tkEnumeration, [Buf(True), Buf('False')]);
  E := AddComponentEntry(Dravik.Comps, Extras);
  Translate(E, 'V2', tkVariant, [Buf(Null), NoValue]);
  E := AddComponentEntry(Dravik.Comps, Result);
  Translate(E, 'Caption', tkLString, [Buf('Sprachauswahl'), Buf('Choix de la langue')]);
  Dravik.AddString('Greeting', 'Good morning', [Buf('Guten Morgen'), Buf('Bonjour')]);
  Dravik.AddString('Farewell', 'Goodbye', [Buf('Auf Wiedersehen'), Buf('Au revoir')]);
end;

function BuildStrings: TDravik;
begin
  Result := TDravik.Create(nil);
  Result.Name := 'UnitTexts'; Result.Language := 'English';
  Result.AddLanguage('English', 0); Result.AddLanguage('Deutsch', 1);
  Result.AddString('Hello', 'Hello', [Buf('Hallo')]);
  Result.AddString('Bye', 'Goodbye', [Buf('Tsch'#$C3#$BC'ss')]);
end;

procedure SaveFiles(const Dir: string);
var Form: TPeerRoot; Strings: TDravik; S: TFileStream;
begin
  Form := BuildForm;
  S := TFileStream.Create(Dir + '/dravik_form.bin', fmCreate);
  try S.WriteComponent(Form); finally S.Free; end;
  Form.Free;
  Strings := BuildStrings;
  S := TFileStream.Create(Dir + '/dravik_strings.lng', fmCreate);
  try S.WriteComponentRes('TDRAVIK', Strings); finally S.Free; end;
  Strings.Free;
end;

{ --- Reading ------------------------------------------------------------------------------- }

function ItemIndex(const Name: string): Integer;
var Open: Integer;
begin
  Open := Pos('[', Name);
  Result := StrToInt(Copy(Name, Open + 1, Length(Name) - Open - 1));
end;

function VariantText(const V: Variant): string;
begin
  if VarIsNull(V) then Result := 'Null'
  else if VarIsEmpty(V) then Result := 'Empty'
  else Result := VarToStr(V);
end;

function LiveText(Obj: TObject; const PropName: string): string;
var Info: PPropInfo;
begin
  Info := GetPropInfo(Obj, PropName);
  if Info = nil then Exit('?');
  case Info^.PropType^.Kind of
    tkFloat: Result := FloatToStr(GetFloatProp(Obj, Info));
    tkBool: Result := BoolToStr(GetOrdProp(Obj, Info) <> 0, True);
    tkVariant: Result := VariantText(GetVariantProp(Obj, Info));
  else
    Result := VariantText(GetPropValue(Obj, PropName, True));
  end;
end;

function ChildObject(Dravik: TDravik; Obj: TObject; Child: TMainEntry): TObject;
var PropName: string;
begin
  if stNoValidate in Child.SubType then Exit(Dravik.Values);
  PropName := Child.Name;
  if stCollectionObject in Child.SubType then
  begin
    PropName := Copy(PropName, 1, Pos('[', PropName) - 1);
    Exit(TCollection(GetObjectProp(Obj, PropName)).Items[ItemIndex(Child.Name)]);
  end;
  Result := GetObjectProp(Obj, PropName);
end;

procedure PrintEntry(Dravik: TDravik; Main: TMainEntry; Obj: TObject; const Component, Path: string);
var i, j: Integer; P: TLangPropertyEntry; Line, Live: string; Child: TMainEntry;
begin
  for i := 0 to Main.Props.Count - 1 do
  begin
    P := TLangPropertyEntry(Main.Props.Items[i]);
    if stNoValidate in Main.SubType then
    begin
      Live := TStrings(Obj)[P.Index];
      Line := 'string'#9 + P.Name + #9 + Dravik.Names[P.Index];
    end
    else
    begin
      if stTStringsObject in Main.SubType then Live := TStrings(Obj)[ItemIndex(P.Name)]
      else Live := LiveText(Obj, P.Name);
      Line := 'property'#9 + Component + #9 + Path + P.Name;
    end;
    Line := Line + #9 + IntToStr(P.Count) + #9 + Live;
    for j := 1 to P.Count - 1 do Line := Line + #9 + BufferText(P.Slot(j));
    WriteLn(Line);
  end;
  for i := 0 to Main.Items.Count - 1 do
  begin
    Child := TMainEntry(Main.Items.Items[i]);
    PrintEntry(Dravik, Child, ChildObject(Dravik, Obj, Child), Component, Path + Child.Name + '.');
  end;
end;

procedure PrintDravik(Dravik: TDravik);
var i: Integer; L: TLanguageEntry; E: TComponentEntry;
begin
  WriteLn('dravik'#9, Dravik.Name, #9, Dravik.Language);
  for i := 0 to Dravik.Langs.Count - 1 do
  begin
    L := TLanguageEntry(Dravik.Langs.Items[i]);
    WriteLn('language'#9, L.Name, #9, L.SubIndex);
  end;
  for i := 0 to Dravik.Comps.Count - 1 do
  begin
    E := TComponentEntry(Dravik.Comps.Items[i]);
    PrintEntry(Dravik, E, E.Ref, E.Ref.Name, '');
  end;
end;

procedure PrintFile(const FileName: string);
var S: TFileStream; Root: TComponent; i: Integer;
begin
  S := TFileStream.Create(FileName, fmOpenRead);
  try Root := S.ReadComponent(nil); finally S.Free; end;
  if Root is TDravik then PrintDravik(TDravik(Root));
  for i := 0 to Root.ComponentCount - 1 do
    if Root.Components[i] is TDravik then PrintDravik(TDravik(Root.Components[i]));
  Root.Free;
end;

begin
  if (ParamCount = 2) and (ParamStr(1) = 'write') then SaveFiles(ParamStr(2))
  else if (ParamCount = 2) and (ParamStr(1) = 'read') then PrintFile(ParamStr(2))
  else
  begin
    WriteLn(StdErr, 'usage: peer_dravik write DIR | read FILE');
    Halt(2);
  end;
end.
