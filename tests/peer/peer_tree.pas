{ Writes into the folder given as argument tree.bin: a form whose entry tree names properties of
  its button (a caption, a hint, its font, an item of its collection, lines of its string list)
  and of the form itself, as the framework's language data does. Some entries name what the
  framework's classes do not have: a property only this side declares, a property of the wrong
  kind, a collection item and a line beyond the end. }
program peer_tree;
{$mode objfpc}{$H+}
uses Classes, SysUtils, TypInfo, PeerForms, PeerTree;

function BuildForm: TPeerRoot;
var Button: TPeerButton; Holder: TEntryHolder; Item: TPeerItem; E, Font, Items, Lines: TMainEntry;
begin
  Result := TPeerRoot.Create(nil);
  Result.Name := 'TreeForm'; Result.Caption := 'Tree form';
  Button := TPeerButton.Create(Result); Button.Name := 'Button1';
  Button.Caption := 'OK'; Button.Hint := 'Closes the window';
  Button.Font.Name := 'Sans'; Button.Font.Size := 9; Button.Font.Style := [peBeta];
  Item := TPeerItem(Button.Items.Add); Item.Caption := 'first'; Item.Value := 1;
  Item := TPeerItem(Button.Items.Add); Item.Caption := 'second'; Item.Value := 70000;
  Button.Lines.Add('one'); Button.Lines.Add('two'); Button.Lines.Add('three');

  Holder := TEntryHolder.Create(Result); Holder.Name := 'Holder';
  E := AddComponentEntry(Holder.Entries, Button);
  AddProp(E, 'Caption', tkLString);
  AddProp(E, 'Hint', tkLString);
  AddProp(E, 'Shortcut', tkInteger);
  AddProp(E, 'Hint', tkInteger);
  Font := AddEntry(E, 'Font', [stPubPropObject]);
  AddProp(Font, 'Name', tkLString);
  AddProp(Font, 'Size', tkInteger);
  AddProp(Font, 'Style', tkSet);
  Items := AddEntry(E, 'Items[1]', [stPubPropObject, stCollectionObject]);
  AddProp(Items, 'Caption', tkLString);
  AddProp(Items, 'Value', tkInteger);
  Items := AddEntry(E, 'Items[5]', [stPubPropObject, stCollectionObject]);
  AddProp(Items, 'Caption', tkLString);
  Lines := AddEntry(E, 'Lines', [stTStringsObject]);
  AddProp(Lines, 'Strings[0]', tkLString);
  AddProp(Lines, 'Strings[2]', tkLString);
  AddProp(Lines, 'Second', tkLString).Index := 1;
  AddProp(Lines, 'Strings[9]', tkLString);
  E := AddComponentEntry(Holder.Entries, Result);
  AddProp(E, 'Caption', tkLString);
end;

var Form: TPeerRoot; S: TFileStream;
begin
  Form := BuildForm;
  S := TFileStream.Create(ParamStr(1) + '/tree.bin', fmCreate);
  try S.WriteComponent(Form); finally S.Free; end;
  Form.Free;
end.
