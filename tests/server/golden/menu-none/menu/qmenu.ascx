<%@ Control Language="VB" AutoEventWireup="false" CodeFile="qmenu.ascx.vb" Inherits="qmenu" %>
<%  'This control write qmenu.js to your disk and then sends it to the user's browser%>
<script type="text/javascript" src="/menu/qmenu.js"></script>
